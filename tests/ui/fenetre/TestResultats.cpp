// The search results window: columns and cells, the sort by header clicks, rows that
// leave with their file entries, "&Localiser", opening, the context menu, Escape.

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "model/CClasseur.h"
#include "compare/ui/CComparaisonDlg.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/Recherche.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CHoteResultatsQt.h"
#include "shell/ExportListe.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "shell/CModeleListe.h"
#include "ui/CImagesApplication.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"
#include "ui/IdCommandes.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "workspace/CContexte.h"
#include "workspace/TravailRecherche.h"

namespace {

class Resultats : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        creerFichier(QStringLiteral("disque/grand.iso"));
        classeur = ajouterClasseur("Disques", {"cd", "nu"});
        cd = classeur->requetes().elementA(0);
        nu = classeur->requetes().elementA(1);
        cd->definirChemin(chemin(QStringLiteral("disque")).toStdString());
        nu->definirChemin("/media/nu");
        // "nu" stores the attributes alone.
        nu->stockerTaille = nu->stockerCree = nu->stockerModifie = nu->stockerAccede = false;
        grand = ajouter(*cd, "grand.iso", 3000000000u, {{1, 2, 2003}, 10, 0, 0}, "RA");
        sous = ajouterDossier(*cd, "sous");
        petit = ajouter(*sous, "petit.iso", 1000000000u, {{5, 1, 2004}, 9, 30, 0}, "A");
        note = ajouter(*nu, "Note.txt", 12, {{7, 7, 2001}, 8, 0, 0}, "H");
        arbre().reconstruire();
        fenetreResultats().liste().resize(900, 300);
        testeur = std::make_unique<QAbstractItemModelTester>(&modele());
    }

    CFichier* ajouter(CDossier& d, const std::string& nom, std::uint32_t taille, CDateHeure date, const char* lettres)
    {
        auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "/" + nom);
        f->taille = taille;
        f->definirCree(date);
        f->definirModifie(date);
        f->definirAccede(date.date);
        std::snprintf(f->lettres, sizeof f->lettres, "%s", lettres);
        d.fichiers().ajouter(f);
        return f;
    }

    // The application's search, every file of the document found.
    void rechercherTout()
    {
        CCriteres c = CCriteres::pourRecherche();
        c.cible = &doc();
        contexte().criteresRecherche = c;
        reappliquerRecherche(contexte());
    }

    CResultatsDlg& fenetreResultats() { return app->resultatsRecherche(); }
    CModeleResultats& modele() { return fenetreResultats().modele(); }
    QString cellule(int rang, int colonne) { return modele().index(rang, colonne).data().toString(); }
    QStringList noms()
    {
        QStringList r;
        for (int i = 0; i < modele().rowCount(); ++i)
            r << cellule(i, 0);
        return r;
    }
    void choisir(const CFichier* f)
    {
        const int r = modele().rangDe(f);
        ASSERT_GE(r, 0);
        fenetreResultats().liste().selectionModel()->setCurrentIndex(
            modele().index(r, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    CClasseur* classeur = nullptr;
    CRequete* cd = nullptr;
    CRequete* nu = nullptr;
    CDossier* sous = nullptr;
    CFichier* grand = nullptr;
    CFichier* petit = nullptr;
    CFichier* note = nullptr;
    std::unique_ptr<QAbstractItemModelTester> testeur;
};

TEST_F(Resultats, CellulesDesSeulesValeursStockees)
{
    EXPECT_EQ(fenetreResultats().minimumSize(), QSize(200, 150));
    rechercherTout();
    ASSERT_EQ(modele().rowCount(), 3);
    // A query that stores everything fills every cell; "nu" only the name, the
    // attributes and the folder.
    struct SAttendu {
        const CFichier* fichier;
        std::vector<bool> remplies;
    };
    for (const SAttendu& a : {SAttendu{petit, {1, 1, 1, 1, 1, 1, 1}}, SAttendu{note, {1, 0, 0, 0, 0, 1, 1}}}) {
        const int r = modele().rangDe(a.fichier);
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(!cellule(r, c).isEmpty(), a.remplies[static_cast<std::size_t>(c)])
                << a.fichier->nom() << " colonne " << c << " : " << cellule(r, c).toStdString();
    }
    EXPECT_EQ(cellule(modele().rangDe(petit), 6).toStdString(), sous->chemin());
    EXPECT_EQ(cellule(modele().rangDe(note), 5), QStringLiteral("H"));
}

TEST_F(Resultats, LesClicsDEnTeteSuiventLOrdreAttendu)
{
    fenetreResultats().show();
    rechercherTout();
    const QList<QIcon> fleches = app->images().tri();
    struct SEtape {
        int clic;  // -1: a new search
        int colonne;
        bool croissant;
        QStringList noms;
    };
    // Byte order puts capitals first; 1 GB before 3 GB; "/media/nu" before the test's
    // folder under /tmp.
    const SEtape etapes[] = {
        {-2, 0, true, {"Note.txt", "grand.iso", "petit.iso"}},
        {1, 1, true, {"Note.txt", "petit.iso", "grand.iso"}},
        {1, 1, false, {"grand.iso", "petit.iso", "Note.txt"}},
        {0, 0, false, {"petit.iso", "grand.iso", "Note.txt"}},
        {-1, 0, false, {"petit.iso", "grand.iso", "Note.txt"}},
        {2, 2, false, {"petit.iso", "grand.iso", "Note.txt"}},
        {4, 4, false, {"petit.iso", "grand.iso", "Note.txt"}},
        {5, 5, false, {"grand.iso", "Note.txt", "petit.iso"}},
        {5, 5, true, {"petit.iso", "Note.txt", "grand.iso"}},
        {6, 6, true, {"Note.txt", "grand.iso", "petit.iso"}},
    };
    for (const SEtape& e : etapes) {
        if (e.clic == -1)
            rechercherTout();
        else if (e.clic >= 0)
            QTest::mouseClick(fenetreResultats().liste().header()->viewport(), Qt::LeftButton, {},
                              QPoint(fenetreResultats().liste().header()->sectionViewportPosition(e.clic) + 20, 5));
        EXPECT_EQ(noms(), e.noms) << "après un clic sur " << e.clic;
        EXPECT_EQ(modele().colonneTri(), e.colonne);
        EXPECT_EQ(modele().croissant(), e.croissant);
        for (int c = 0; c < 7; ++c) {
            const QIcon icone = modele().headerData(c, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
            EXPECT_EQ(icone.cacheKey(), c == e.colonne ? fleches[e.croissant ? 0 : 1].cacheKey() : QIcon().cacheKey());
        }
    }
}

TEST_F(Resultats, LesLignesPartentAvecLeursFichiers)
{
    // Each way a file entry is destroyed; the window must never paint a freed row.
    struct SCas {
        const char* nom;
        std::function<void()> detruire;
        QStringList restantes;
    };
    // The update captures the real folder, which holds grand.iso alone, and the search
    // then runs again.
    const SCas cas[] = {
        {"requête supprimée", [&] { selectionner(static_cast<CDossier*>(nu)); executer(cmd::Supprimer); },
         {"grand.iso", "petit.iso"}},
        {"requête mise à jour", [&] { selectionner(static_cast<CDossier*>(cd)); executer(cmd::MettreAJour); },
         {"Note.txt", "grand.iso"}},
        {"document fermé",
         [&] {
             doc().definirModifie(false);
             executer(cmd::Fermer);
             // The window, and its document with it, goes once control is back.
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         },
         {}},
    };
    for (const SCas& c : cas) {
        SCOPED_TRACE(c.nom);
        testeur.reset();
        TearDown();
        SetUp();
        fenetreResultats().show();
        rechercherTout();
        ASSERT_EQ(modele().rowCount(), 3);
        choisir(petit);
        c.detruire();
        EXPECT_EQ(noms(), c.restantes);
        // Painted again without a freed row.
        EXPECT_FALSE(fenetreResultats().grab().isNull());
    }
}

TEST_F(Resultats, LocaliserChoisitLeDossierPuisLaLigne)
{
    for (bool sousDossiers : {true, false}) {
        SCOPED_TRACE(sousDossiers ? "sous-dossiers montrés" : "sous-dossiers cachés");
        if (doc().afficherSousDossiers != sousDossiers)
            executer(cmd::SousDossiers);
        rechercherTout();
        fenetreResultats().show();
        selectionner(classeur);
        choisir(petit);
        QTest::keyClick(&fenetreResultats().liste(), Qt::Key_Return);
        laisserTourner();
        EXPECT_TRUE(fenetreResultats().isVisible());
        // The folder itself, or the query that lists every file beneath it.
        EXPECT_EQ(arbre().noeudSelectionne(), sousDossiers ? static_cast<CElement*>(sous) : static_cast<CDossier*>(cd));
        CListeView& liste = fenetre().liste();
        EXPECT_EQ(liste.noeudSelectionne(), static_cast<CElement*>(petit));
        EXPECT_EQ(QApplication::focusWidget(), &liste);
        EXPECT_EQ(liste.currentIndex().row(), liste.selectionModel()->selectedRows().value(0).row());
    }
}

TEST_F(Resultats, LocaliserGardeLaDispositionDesFenetres)
{
    rechercherTout();
    fenetreResultats().show();
    for (int commande : {cmd::Mosaique, cmd::Cascade}) {
        SCOPED_TRACE(commande == cmd::Mosaique ? "mosaïque" : "cascade");
        executer(commande);
        laisserTourner();
        CChildFrame& cadre = fenetre();
        ASSERT_FALSE(cadre.isMaximized());
        const QRect place = cadre.geometry();
        choisir(petit);
        QTest::keyClick(&fenetreResultats().liste(), Qt::Key_Return);
        laisserTourner();
        EXPECT_FALSE(cadre.isMaximized());
        EXPECT_EQ(cadre.geometry(), place);
        EXPECT_EQ(fenetre().liste().noeudSelectionne(), static_cast<CElement*>(petit));
        // A minimised window comes back to where it was, not maximised.
        cadre.showMinimized();
        laisserTourner();
        QTest::keyClick(&fenetreResultats().liste(), Qt::Key_Return);
        laisserTourner();
        EXPECT_FALSE(cadre.isMinimized());
        EXPECT_FALSE(cadre.isMaximized());
        EXPECT_EQ(cadre.geometry(), place);
    }
}

TEST_F(Resultats, OuvrirDemandeLeDisqueEtLeMenuNApparaitQueSurUneLigne)
{
    rechercherTout();
    fenetreResultats().show();
    // No row chosen: nothing opens.
    fenetreResultats().ouvrir(false);
    EXPECT_TRUE(repondeur->boites.empty());
    // "/media/nu" is not there: the disk is asked for, until Cancel.
    choisir(note);
    repondeur->reponses = {QMessageBox::Cancel};
    fenetreResultats().ouvrir(false);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Warning);

    QTreeView& liste = fenetreResultats().liste();
    auto menuA = [&](QPoint point) {
        QStringList textes;
        QTimer::singleShot(200, [&] {
            if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : m->actions())
                    textes << a->text() + (a == m->defaultAction() ? QStringLiteral(" (défaut)") : QString());
                m->close();
            }
        });
        QContextMenuEvent clic(QContextMenuEvent::Mouse, point, liste.viewport()->mapToGlobal(point));
        QApplication::sendEvent(liste.viewport(), &clic);
        laisserTourner(300);
        return textes;
    };
    EXPECT_EQ(menuA(liste.visualRect(modele().index(0, 0)).center()),
              (QStringList{"&Localiser (défaut)", "&Ouvrir", "Ouvrir le &dossier contenant", "", "&Copier le chemin",
                           "&Exporter..."}));
    EXPECT_TRUE(menuA(QPoint(5, liste.viewport()->height() - 5)).isEmpty());
}

TEST_F(Resultats, FermerEtEchapCachentSansVider)
{
    rechercherTout();
    for (int maniere = 0; maniere < 2; ++maniere) {
        app->afficherResultatsRecherche();
        ASSERT_TRUE(fenetreResultats().isVisible());
        if (maniere == 0)
            QTest::keyClick(&fenetreResultats().liste(), Qt::Key_Escape);
        else
            fenetreResultats().close();
        EXPECT_FALSE(fenetreResultats().isVisible()) << maniere;
        EXPECT_EQ(modele().rowCount(), 3);
    }
}

// "&Exporter..." writes the rows as shown: in their sort order, the columns in their
// shown order, sizes in bytes; "&Copier le chemin" puts the paths as text and as URLs.
TEST_F(Resultats, ExporterEcritLesLignesCommeAfficheesEtCopierDonneLesChemins)
{
    rechercherTout();
    fenetreResultats().trierSur(1);  // by size, ascending
    fenetreResultats().liste().header()->moveSection(6, 0);  // "Dossier" first
    const QString fichier = chemin(QStringLiteral("resultats.csv"));
    app->hoteResultats().dialogueExport = [&](QWidget*) { return SChoixExport{fichier, EFormatExport::Csv}; };
    app->hoteResultats().exporter(fenetreResultats().tableauAffiche());
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    EXPECT_TRUE(octets.startsWith("\xEF\xBB\xBF"));
    const QStringList lignes = QString::fromUtf8(octets.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lignes.size(), 5);  // the titles, three rows, what follows the last CRLF
    EXPECT_EQ(lignes[0], QStringLiteral("Dossier,Nom,Taille,Créé,Modifié,Accédé,Attribut"));
    const QString disque = chemin(QStringLiteral("disque"));
    EXPECT_EQ(lignes[1], QStringLiteral("/media/nu,Note.txt,,,,,H"));
    EXPECT_TRUE(lignes[2].startsWith(disque + QStringLiteral("/sous,petit.iso,1000000000,2004-"))) << lignes[2].toStdString();
    EXPECT_TRUE(lignes[3].startsWith(disque + QStringLiteral(",grand.iso,3000000000,2003-"))) << lignes[3].toStdString();
    EXPECT_TRUE(lignes[4].isEmpty());

    // A catalogue is never written over, whatever its name.
    const QString catalogue = creerCatalogue(QStringLiteral("pas-un.csv"), {QStringLiteral("Général")});
    const QByteArray avant = [&] { QFile c(catalogue); c.open(QIODevice::ReadOnly); return c.readAll(); }();
    app->hoteResultats().dialogueExport = [&](QWidget*) { return SChoixExport{catalogue, EFormatExport::Csv}; };
    repondeur->reponses.push_back(QMessageBox::Ok);
    app->hoteResultats().exporter(fenetreResultats().tableauAffiche());
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_TRUE(repondeur->boites[0].texte.contains(QStringLiteral("c'est un catalogue")));
    QFile c(catalogue);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), avant);

    fenetreResultats().liste().selectionModel()->select(
        modele().index(2, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    fenetreResultats().copierChemins();
    const QMimeData* copie = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copie, nullptr);
    EXPECT_EQ(copie->text(), disque + QStringLiteral("/grand.iso"));
    ASSERT_EQ(copie->urls().size(), 1);
    EXPECT_EQ(copie->urls()[0], QUrl::fromLocalFile(disque + QStringLiteral("/grand.iso")));
}

} // namespace

namespace {

// Whatever column the arrow is on, its title shows whole: the header's own measure of
// the title and arrow fits the column.
TEST_F(Resultats, UnTitreEtSaFlecheTiennentDansLaColonne)
{
    rechercherTout();
    selectionner(cd);
    for (QTreeView* liste : {&fenetreResultats().liste(), &app->resultatsComparaison().liste(),
                             static_cast<QTreeView*>(&fenetre().liste())}) {
        QHeaderView* entete = liste->header();
        ASSERT_GT(entete->count(), 3);
        for (int c = 0; c < entete->count(); ++c) {
            emit entete->sectionClicked(c);
            SCOPED_TRACE(entete->model()->headerData(c, Qt::Horizontal).toString().toStdString());
            EXPECT_FALSE(entete->model()->headerData(c, Qt::Horizontal, Qt::DecorationRole).isNull());
            EXPECT_GE(entete->sectionSize(c), entete->sectionSizeHint(c));
        }
    }
}

}  // namespace
