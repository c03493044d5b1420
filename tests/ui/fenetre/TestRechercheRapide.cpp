// The quick search from the toolbar's field: its answer in the search results window,
// following updates, deletions and closed documents, a stopped run never shown, and
// the application's search left as it was.

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QAction>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

#include "model/CClasseur.h"
#include "capture/MiseAJour.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/ui/CRechercheRapide.h"
#include "shell/CBarreEtat.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/CChampRechercheRapide.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "workspace/CContexte.h"

namespace {

class RechercheRapide : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        creerFichier(QStringLiteral("disque/Été/plage.iso"));
        // The query over the real folder, captured; the second one lives in memory.
        classeur = ajouterClasseur("Disques", {"cd"});
        cd = classeur->requetes().elementA(0);
        cd->definirChemin(chemin(QStringLiteral("disque")).toStdString());
        selectionner(static_cast<CDossier*>(cd));
        executer(cmd::MettreAJour);
        vieux = ajouterCatalogue("classeur Archives\n  requete Vieux /media/vieux\n    dossier ete\n      fichier Plage.ISO\n"
                         "      fichier note.txt\n");
        doc().definirModifie(false);
    }

    CChampRechercheRapide& champ() { return cadre().champRechercheRapide(); }
    CResultatsDlg& fenetreResultats() { return app->resultatsRecherche(); }
    CRechercheRapide& recherche() { return app->rechercheRapide(); }

    // Until the run under way has given its answer (or twenty seconds: a loaded
    // machine may take long, and the loop ends as soon as the answer is there).
    void attendre()
    {
        for (int i = 0; i < 2000 && recherche().enCours(); ++i)
            laisserTourner(10);
        laisserTourner();
        EXPECT_FALSE(recherche().enCours());
    }
    void taper(const QString& texte)
    {
        champ().setText(texte);
        attendre();
    }
    // The rows' paths, sorted, one string (readable when a check fails).
    std::string chemins()
    {
        QStringList r;
        const CModeleResultats& m = fenetreResultats().modele();
        for (int i = 0; i < m.rowCount(); ++i)
            r << QString::fromStdString(m.fichier(i)->chemin());
        r.sort();
        return r.join(QStringLiteral(" | ")).toStdString();
    }
    QString sousDisque(const char* relatif) { return chemin(QString::fromUtf8(relatif)); }

    CClasseur* classeur = nullptr;
    CRequete* cd = nullptr;
    CCatalogueConstruit vieux;
};

TEST_F(RechercheRapide, LaReponseSuitLesDocumentsSansToucherALaRecherche)
{
    CFichier* memoire[] = {&vieux.fichier("Vieux/ete/Plage.ISO"), &vieux.fichier("Vieux/ete/note.txt")};
    for (CFichier* f : memoire)
        f->marque = 0;
    const QString plageDisque = sousDisque("disque/Été/plage.iso");
    taper(QStringLiteral("ete plage"));
    EXPECT_EQ(chemins(), "/media/vieux/ete/Plage.ISO | " + plageDisque.toStdString());
    EXPECT_TRUE(fenetreResultats().isVisible());
    EXPECT_EQ(recherche().nombreTrouves(), 2u);
    EXPECT_EQ(cadre().barreEtat().currentMessage(), CBarreEtat::texteFichiersTrouves(2));
    // The application's search, its marks and the document stay as they were.
    EXPECT_EQ(contexte().criteresRecherche.cible, nullptr);
    for (CFichier* f : memoire)
        EXPECT_EQ(f->marque, 0);
    EXPECT_FALSE(doc().estModifie());

    // An update brings a new file in; the answer follows.
    creerFichier(QStringLiteral("disque/Été/plage-2.iso"));
    selectionner(static_cast<CDossier*>(cd));
    executer(cmd::MettreAJour);
    attendre();
    EXPECT_EQ(chemins(), "/media/vieux/ete/Plage.ISO | " + sousDisque("disque/Été/plage-2.iso").toStdString() +
                             " | " + plageDisque.toStdString());
    // A query deleted, then the document closed: their rows go, nothing dangles.
    selectionner(static_cast<CDossier*>(cd));
    executer(cmd::Supprimer);
    attendre();
    EXPECT_EQ(chemins(), "/media/vieux/ete/Plage.ISO");
    doc().definirModifie(false);
    executer(cmd::Fermer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    attendre();
    EXPECT_EQ(chemins(), "");
    EXPECT_FALSE(fenetreResultats().grab().isNull());
}

TEST_F(RechercheRapide, UneRechercheArreteeNeMontreRien)
{
    std::vector<std::size_t> annonces;
    QObject::connect(&recherche(), &CRechercheRapide::trouves, [&](std::size_t n) { annonces.push_back(n); });
    // Three keystrokes before the loop runs: only the last answer ever reaches the window.
    champ().setText(QStringLiteral("plage"));
    champ().setText(QStringLiteral("note"));
    champ().setText(QStringLiteral("vieux note"));
    attendre();
    EXPECT_EQ(annonces, std::vector<std::size_t>{1});
    EXPECT_EQ(chemins(), "/media/vieux/ete/note.txt");
    // An empty field finds nothing and empties the answer.
    taper(QString());
    EXPECT_EQ(chemins(), "");
}

TEST_F(RechercheRapide, LeClavierDuChamp)
{
    // Ctrl+F, as the main window's key fires it.
    QAction* ctrlF = nullptr;
    for (QAction* a : cadre().actions())
        if (a->shortcut() == QKeySequence(QKeySequence::Find))
            ctrlF = a;
    ASSERT_NE(ctrlF, nullptr);
    champ().setText(QStringLiteral("plage"));
    attendre();
    ctrlF->trigger();
    EXPECT_EQ(champ().selectedText(), QStringLiteral("plage"));
    // A large answer waits for the typing to pause; Enter does not wait.
    recherche().lignesDifferees = 1;
    recherche().pause = 60000;
    champ().setText(QStringLiteral("ete"));
    attendre();
    EXPECT_EQ(chemins(), "/media/vieux/ete/Plage.ISO | " + sousDisque("disque/Été/plage.iso").toStdString())
        << "montrée avant la pause";
    QTest::keyClick(&champ(), Qt::Key_Return);
    EXPECT_EQ(recherche().nombreTrouves(), 3u);
    EXPECT_TRUE(fenetreResultats().isVisible());
    EXPECT_EQ(fenetreResultats().liste().currentIndex().row(), 0);
    QTest::keyClick(&champ(), Qt::Key_Escape);
    EXPECT_TRUE(champ().text().isEmpty());
    EXPECT_EQ(champ().placeholderText(), QStringLiteral("Recherche rapide (Ctrl+F)"));
}

// A snapshot changes while an answer is held back for the pause (or, last, while it is
// computed and the rebuild comes first): what shows (Enter, or the pause's end) is the
// answer over the documents as they are now.
TEST_F(RechercheRapide, UneReponseRetenueSuitLesInstantanes)
{
    const std::string tous = "/media/vieux/ete/Plage.ISO | " + sousDisque("disque/Été/plage-2.iso").toStdString() +
                             " | " + sousDisque("disque/Été/plage.iso").toStdString();
    enum EChangement { MiseAJour, Suppression, Fermeture, MiseAJourPendantLeCalcul };
    const std::pair<EChangement, std::string> cas[] = {
        {MiseAJour, tous}, {Suppression, "/media/vieux/ete/Plage.ISO"}, {Fermeture, ""}, {MiseAJourPendantLeCalcul, tous}};
    for (const auto& [changement, attendu] : cas)
        for (const bool entree : {true, false}) {
            SCOPED_TRACE(changement * 2 + entree);
            TearDown();
            QFile::remove(sousDisque("disque/Été/plage-2.iso"));
            SetUp();
            // The window shows the application's search; any answer waits for the pause.
            recherche().lignesDifferees = 1;
            recherche().pause = 60000;
            auto* pause = recherche().findChild<QTimer*>(QStringLiteral("pause"));
            ASSERT_NE(pause, nullptr);
            creerFichier(QStringLiteral("disque/Été/plage-2.iso"));
            selectionner(static_cast<CDossier*>(cd));
            champ().setText(QStringLiteral("plage"));
            if (changement != MiseAJourPendantLeCalcul) {
                attendre();
                ASSERT_TRUE(pause->isActive());
            }
            ASSERT_EQ(chemins(), "");
            if (changement == MiseAJour)
                executer(cmd::MettreAJour);
            if (changement == Suppression)
                executer(cmd::Supprimer);
            if (changement == Fermeture) {
                doc().definirModifie(false);
                executer(cmd::Fermer);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            if (changement == MiseAJourPendantLeCalcul) {
                mettreAJourRequete(*cd, nullptr, 1);
                recherche().synchroniser();
            }
            attendre();
            if (entree)
                QTest::keyClick(&champ(), Qt::Key_Return);
            else if (pause->isActive())
                pause->setInterval(0);  // restarts it: the pause ends now
            attendre();
            EXPECT_EQ(chemins(), attendu);
            EXPECT_EQ(recherche().nombreTrouves(), static_cast<std::size_t>(fenetreResultats().modele().rowCount()));
        }
}

TEST_F(RechercheRapide, UneReponseAttendLaFinDUneOperationLongue)
{
    {
        // Such an operation may be filling the window: it keeps it until it ends.
        CTravailLong travail(app->suivi(), &cadre());
        taper(QStringLiteral("plage"));
        EXPECT_EQ(chemins(), "");
    }
    for (int i = 0; i < 200 && fenetreResultats().modele().rowCount() == 0; ++i)
        laisserTourner(10);
    EXPECT_EQ(chemins(), "/media/vieux/ete/Plage.ISO | " + sousDisque("disque/Été/plage.iso").toStdString());
}


// Whether each showing of a window asked the window manager to leave the keyboard
// where it was.
class CSondeActivation : public QObject {
public:
    explicit CSondeActivation(QWidget& fenetre) { fenetre.installEventFilter(this); }
    std::vector<bool> sansActiver;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Show)
            if (QWindow* natif = static_cast<QWidget*>(objet)->windowHandle())
                sansActiver.push_back(natif->property("_q_showWithoutActivating").toBool());
        return false;
    }
};

TEST_F(RechercheRapide, LaFenetreDesReponsesLaisseLeClavierAuChamp)
{
    // Shown first by the application's search, then hidden with Escape: its native
    // window exists before the quick search shows it.
    CSondeActivation sonde(fenetreResultats());
    app->afficherResultatsRecherche();
    QTest::keyClick(&fenetreResultats(), Qt::Key_Escape);
    ASSERT_FALSE(fenetreResultats().isVisible());
    taper(QStringLiteral("plage"));
    ASSERT_TRUE(fenetreResultats().isVisible());
    // The application's search still brings it forward with the keyboard.
    fenetreResultats().hide();
    app->afficherResultatsRecherche();
    EXPECT_EQ(sonde.sansActiver, (std::vector<bool>{false, true, false}));
}

TEST_F(RechercheRapide, LeTitreDitQuelleRechercheLaFenetreMontre)
{
    taper(QStringLiteral("plage"));
    EXPECT_EQ(fenetreResultats().windowTitle(), QStringLiteral("Résultats de la recherche rapide « plage »"));
    taper(QString());
    EXPECT_EQ(fenetreResultats().windowTitle(), QStringLiteral("Résultats de la recherche rapide"));
    // The application's search takes the window back.
    executerAvec(cmd::Rechercher, {[](QDialog& feuille) { feuille.accept(); }});
    EXPECT_EQ(fenetreResultats().windowTitle(), QStringLiteral("Résultats de la recherche"));
}

}  // namespace
