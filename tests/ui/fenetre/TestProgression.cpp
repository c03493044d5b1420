// Long work: a capture shows the modal progress window with its counts and the folder
// being read; "Annuler" stops it and the query keeps its previous snapshot; meanwhile
// no command is offered.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QAction>
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
#include "shell/CSuiviCaptureQt.h"
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
    // The window came and went with the capture.
    EXPECT_FALSE(CTravailLong::enCours());
    EXPECT_EQ(app->suivi().dialogue(), nullptr);
}

TEST_F(Progression, LaFenetreMontreLesComptesEtLeDossierPuisAnnuleEtLAncienInstantaneResteLa)
{
    CRequete* q = nouvelleRequete();
    ASSERT_EQ(q->fichiers().nombre(), 1);
    CFichier* avant = q->fichiers().elementA(0);
    creerFichier(QStringLiteral("disque/nouveau.txt"));
    selectionner(static_cast<CDossier*>(q));

    app->suivi().delaiAffichage = 0;
    QString compte, dossierLu, titre;
    bool commandesOffertes = true;
    bool vue = false;
    // While the window is up: read it, check the commands, press "Annuler".
    QTimer::singleShot(0, [&] {
        CDialogueProgression* d = app->suivi().dialogue();
        if (!d)
            return;
        vue = d->isVisible() && d->isModal();
        titre = d->windowTitle();
        compte = d->texteCompte();
        dossierLu = d->texteDossier();
        cadre().mettreAJourCommandes();
        commandesOffertes = cadre().action(cmd::Nouveau)->isEnabled() ||
                            cadre().action(cmd::Supprimer)->isEnabled();
        static_cast<QDialog*>(d)->reject();   // as "Annuler" or Escape do
    });
    executer(cmd::MettreAJour);
    EXPECT_TRUE(vue);
    EXPECT_EQ(titre, QStringLiteral("Mise à jour de « %1 »").arg(QString::fromStdString(q->nom())));
    EXPECT_TRUE(compte.contains(QStringLiteral("dossier"))) << compte.toStdString();
    EXPECT_TRUE(dossierLu.startsWith(chemin(QStringLiteral("disque")))) << dossierLu.toStdString();
    EXPECT_FALSE(commandesOffertes);
    // Cancelled: the same snapshot as before.
    ASSERT_EQ(q->fichiers().nombre(), 1);
    EXPECT_EQ(q->fichiers().elementA(0), avant);
    EXPECT_EQ(app->suivi().dialogue(), nullptr);
    EXPECT_TRUE(actif(cmd::Nouveau));

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
