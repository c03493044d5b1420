// Long work: a capture runs off the interface thread and shows its progress window
// with its counts and the folder being read; "Annuler" stops it and the query keeps
// its previous snapshot; meanwhile its document takes no command.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "dialogs/CDialogueProgression.h"
#include "shell/CMainFrame.h"
#include "dialogs/CParametresDlg.h"
#include "capture/CSuiviCapture.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CExecuteurTravauxQt.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"

namespace {

class Progression : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        for (const char* f : {"disque/a.txt", "disque/Photos/b.jpg", "disque/Photos/Noël/c.jpg"})
            creerFichier(QString::fromUtf8(f));
        general = doc().classeurs().elementA(0);
        selectionner(general);
    }

    // The parameters dialog answered with `dossier` and OK, or cancelled when empty.
    void repondreParametres(const QString& dossier)
    {
        repondeur->autreDialogue = [dossier](QDialog& d) {
            auto* p = qobject_cast<CParametresDlg*>(&d);
            if (!p)
                return;
            if (dossier.isEmpty()) {
                p->reject();
                return;
            }
            p->champDossier()->setText(dossier);
            p->accept();
        };
    }

    // "&Nouvelle requête..." answered with the folder `disque`.
    CRequete* nouvelleRequete()
    {
        repondreParametres(chemin(QStringLiteral("disque")));
        executer(cmd::NouvelleRequete);
        return general->requetes().elementA(general->requetes().nombre() - 1);
    }

    CClasseur* general = nullptr;
};

TEST_F(Progression, NouvelleRequeteCaptureeNommeeSelectionnee)
{
    CRequete* q = nouvelleRequete();
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(QString::fromStdString(q->nom()), chemin(QStringLiteral("disque")));
    EXPECT_EQ(q->fichiers().nombre(), 1);
    EXPECT_EQ(q->sousDossiers().nombre(), 1);
    EXPECT_TRUE(doc().estModifie());
    EXPECT_EQ(arbre().noeudSelectionne(), static_cast<CElement*>(static_cast<CDossier*>(q)));
    EXPECT_EQ(libelles(indexDe(static_cast<CDossier*>(q))), QStringList{QStringLiteral("Photos")});
    // The job came and went with the capture.
    EXPECT_FALSE(CTravailLong::travauxEnCours());
    EXPECT_EQ(app->travaux().dialogue(), nullptr);
}

// Holds the job's thread at its first report until the test lets it go.
class CSuiviRetenu : public CSuiviCapture {
public:
    bool progression(const SProgressionCapture&) override
    {
        while (!libre)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return true;
    }
    std::atomic<bool> libre{false};
};

TEST_F(Progression, PendantLaCaptureLesFenetresRestentVivantesPuisAnnulerGardeLAncienInstantane)
{
    CRequete* q = nouvelleRequete();
    ASSERT_EQ(q->fichiers().nombre(), 1);
    CFichier* avant = q->fichiers().elementA(0);
    creerFichier(QStringLiteral("disque/nouveau.txt"));
    selectionner(static_cast<CDossier*>(q));

    CSuiviRetenu retenu;
    app->travaux().suiviDesTests = &retenu;
    app->travaux().delaiAffichage = 0;
    app->cadre().executer(cmd::MettreAJour);
    // The job is held: an event posted now is handled while it runs, and its window
    // comes up without keeping the others away.
    bool traite = false;
    QTimer::singleShot(0, [&] { traite = true; });
    QElapsedTimer t;
    t.start();
    const auto dossierAffiche = [this] {
        return app->travaux().dialogue() && !app->travaux().dialogue()->texteDossier().isEmpty();
    };
    while ((!traite || !dossierAffiche()) && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_TRUE(traite);
    EXPECT_EQ(app->travaux().nombre(), 1u);
    CDialogueProgression* d = app->travaux().dialogue();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Mise à jour de « %1 »").arg(QString::fromStdString(q->nom())));
    EXPECT_TRUE(d->texteCompte().contains(QStringLiteral("dossier"))) << d->texteCompte().toStdString();
    EXPECT_TRUE(d->texteDossier().startsWith(chemin(QStringLiteral("disque")))) << d->texteDossier().toStdString();
    // The document captured takes no command and does not close, and says why; the
    // program's other commands stay.
    EXPECT_FALSE(actif(cmd::Supprimer));
    EXPECT_FALSE(actif(cmd::MettreAJour));
    EXPECT_TRUE(actif(cmd::Nouveau));
    EXPECT_EQ(cadre().barreEtat().texteMessage(), CBarreEtat::texteTravail(fenetre().titre()));
    // Closing the document or the program is refused, and the status bar says why again.
    for (QWidget* fermee : {static_cast<QWidget*>(&fenetre()), static_cast<QWidget*>(&cadre())}) {
        cadre().barreEtat().clearMessage();
        EXPECT_FALSE(fermee->close());
        EXPECT_EQ(cadre().barreEtat().texteMessage(), CBarreEtat::texteTravail(fenetre().titre()));
    }

    static_cast<QDialog*>(d)->reject();   // as "Annuler" or Escape do
    retenu.libre = true;
    attendreTravaux();
    app->travaux().suiviDesTests = nullptr;
    // Cancelled: the same snapshot as before, the document whole and free again.
    ASSERT_EQ(q->fichiers().nombre(), 1);
    EXPECT_EQ(q->fichiers().elementA(0), avant);
    EXPECT_EQ(app->travaux().dialogue(), nullptr);
    EXPECT_TRUE(actif(cmd::Supprimer));
    EXPECT_NE(cadre().barreEtat().texteMessage(), CBarreEtat::texteTravail(fenetre().titre()));

    // Not cancelled: the new file is there.
    executer(cmd::MettreAJour);
    EXPECT_EQ(q->fichiers().nombre(), 2);
}

TEST_F(Progression, ToutMettreAJourReconstruitLArbreEnGardantLaRequeteDuDossierChoisi)
{
    CRequete* q = nouvelleRequete();
    CDossier* photos = q->sousDossiers().elementA(0);
    selectionner(photos);
    creerFichier(QStringLiteral("disque/Musique/d.mp3"));
    executer(cmd::ToutMettreAJour);
    // The folder was replaced by the capture: its query is selected.
    EXPECT_EQ(arbre().noeudSelectionne(), static_cast<CElement*>(static_cast<CDossier*>(q)));
    EXPECT_EQ(libelles(indexDe(static_cast<CDossier*>(q))),
              (QStringList{QStringLiteral("Musique"), QStringLiteral("Photos")}));
}

TEST_F(Progression, DesParametresAnnulesNeCreentAucuneRequete)
{
    repondreParametres(QString());
    executer(cmd::NouvelleRequete);
    EXPECT_TRUE(general->requetes().estVide());
    EXPECT_FALSE(doc().estModifie());
}

TEST_F(Progression, ModifierLaRequeteDepuisUnDossierAgitSurSaRequete)
{
    CRequete* q = nouvelleRequete();
    creerFichier(QStringLiteral("autre/x.txt"));
    selectionner(q->sousDossiers().elementA(0));
    repondreParametres(chemin(QStringLiteral("autre")));
    executer(cmd::ModifierRequete);
    EXPECT_EQ(QString::fromStdString(q->chemin()), chemin(QStringLiteral("autre")));
    ASSERT_EQ(q->fichiers().nombre(), 1);
    EXPECT_TRUE(q->sousDossiers().estVide());
}

} // namespace
