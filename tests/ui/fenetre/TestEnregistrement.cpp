// The document framework: the modified state, the question before a modified
// document closes (Enregistrer / Ne pas enregistrer / Annuler), saving and saving
// under a name, opening (a file already open only comes forward), and the file
// layer's French message when reading or writing fails, with nothing lost.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CGestionnaireDocuments.h"
#include "shell/CMainFrame.h"
#include "storage/FichierCatalogue.h"
#include "ui/IdCommandes.h"

namespace {

class Enregistrement : public AvecNorvanel {
protected:
    // Renames "Général" through the tree, which modifies the document.
    void modifier()
    {
        selectionner(doc().classeurs().elementA(0));
        executer(cmd::Renommer);
        validerLibelle(QStringLiteral("Disques"));
        ASSERT_TRUE(doc().estModifie());
    }
    void repondreEnregistrerSous(const QString& chemin)
    {
        app->documents().dialogueEnregistrer = [chemin](const QString&) { return chemin; };
    }
};

TEST_F(Enregistrement, FermerUnDocumentModifiePoseLaQuestionAvecSesTroisBoutons)
{
    modifier();
    repondeur->reponses.push_back(QMessageBox::Cancel);
    executer(cmd::Fermer);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    const CRepondeur::SBoite& b = repondeur->boites[0];
    EXPECT_EQ(b.titre, QStringLiteral("Norvanel"));
    EXPECT_EQ(b.texte, QStringLiteral("Enregistrer les modifications apportées à Liste1\u00a0?"));
    // Qt's own buttons, in French.
    EXPECT_TRUE(b.boutons.contains(QStringLiteral("Enregistrer"))) << b.boutons.join(u'|').toStdString();
    EXPECT_TRUE(b.boutons.contains(QStringLiteral("Ne pas enregistrer"))) << b.boutons.join(u'|').toStdString();
    EXPECT_TRUE(b.boutons.contains(QStringLiteral("Annuler"))) << b.boutons.join(u'|').toStdString();
    // Annuler: the window stays, still modified.
    EXPECT_EQ(cadre().cadres().size(), 1);
    EXPECT_TRUE(doc().estModifie());

    repondeur->reponses.push_back(QMessageBox::Discard);
    executer(cmd::Fermer);
    EXPECT_TRUE(cadre().cadres().isEmpty());
}

TEST_F(Enregistrement, UnDocumentIntactSeFermeSansQuestion)
{
    executer(cmd::Fermer);
    EXPECT_TRUE(repondeur->boites.empty());
    EXPECT_TRUE(cadre().cadres().isEmpty());
}

TEST_F(Enregistrement, LeTitreMarqueLesChangementsNonEnregistres)
{
    EXPECT_EQ(fenetre().windowTitle(), QStringLiteral("Liste1[*]"));
    EXPECT_FALSE(fenetre().isWindowModified());
    modifier();
    laisserTourner();
    EXPECT_TRUE(fenetre().isWindowModified());
    EXPECT_EQ(titreAffiche(fenetre()), QStringLiteral("Liste1*"));
    ASSERT_TRUE(fenetre().isMaximized());
    EXPECT_EQ(titreAffiche(cadre()), QStringLiteral("Norvanel - [Liste1*]"));
    repondreEnregistrerSous(chemin(QStringLiteral("disques.kbt")));
    executer(cmd::Enregistrer);
    laisserTourner();
    EXPECT_FALSE(fenetre().isWindowModified());
    EXPECT_EQ(fenetre().windowTitle(), QStringLiteral("disques.kbt[*]"));
    EXPECT_EQ(titreAffiche(cadre()), QStringLiteral("Norvanel - [disques.kbt]"));
}

TEST_F(Enregistrement, EnregistrerDemandeUnNomPuisLeGarde)
{
    modifier();
    const QString fichier = chemin(QStringLiteral("disques"));
    repondreEnregistrerSous(fichier);
    executer(cmd::Enregistrer);
    // The extension is added.
    const QString attendu = fichier + QStringLiteral(".kbt");
    ASSERT_TRUE(QFile::exists(attendu));
    EXPECT_FALSE(doc().estModifie());
    EXPECT_EQ(fenetre().titre(), QStringLiteral("disques.kbt"));
    EXPECT_EQ(titreAffiche(cadre()), QStringLiteral("Norvanel - [disques.kbt]"));
    EXPECT_EQ(QString::fromStdString(doc().chemin), attendu);

    // The file reads back with the new name.
    CDoc relu;
    ASSERT_TRUE(chargerCatalogue(relu, QFile::encodeName(attendu).toStdString()));
    EXPECT_EQ(relu.classeurs().elementA(0)->nom(), "Disques");

    // Next time, no name is asked.
    app->documents().dialogueEnregistrer = [](const QString&) -> QString {
        ADD_FAILURE() << "un nom a été redemandé";
        return {};
    };
    executer(cmd::NouveauClasseur);
    validerLibelle(QStringLiteral("Autre"));
    executer(cmd::Enregistrer);
    EXPECT_FALSE(doc().estModifie());
}

TEST_F(Enregistrement, FermerEnEnregistrantEcritLeFichier)
{
    modifier();
    const QString fichier = chemin(QStringLiteral("fermeture.kbt"));
    repondreEnregistrerSous(fichier);
    repondeur->reponses.push_back(QMessageBox::Save);
    executer(cmd::Fermer);
    EXPECT_TRUE(QFile::exists(fichier));
    EXPECT_TRUE(cadre().cadres().isEmpty());
}

TEST_F(Enregistrement, UnEchecDEnregistrementLeDitEtGardeLeDocumentModifie)
{
    modifier();
    // A folder that does not exist: the temporary file cannot be made there.
    repondreEnregistrerSous(chemin(QStringLiteral("absent/liste.kbt")));
    repondeur->reponses.push_back(QMessageBox::Ok);
    executer(cmd::EnregistrerSous);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_EQ(repondeur->boites[0].titre, QStringLiteral("Norvanel"));
    EXPECT_TRUE(repondeur->boites[0].texte.contains(QStringLiteral("liste.kbt")))
        << repondeur->boites[0].texte.toStdString();
    EXPECT_TRUE(doc().estModifie());
    EXPECT_TRUE(doc().chemin.empty());
    EXPECT_EQ(fenetre().titre(), QStringLiteral("Liste1"));
    EXPECT_FALSE(QFileInfo::exists(chemin(QStringLiteral("absent"))));
}

TEST_F(Enregistrement, UnFichierIlisibleDonneLeMessageEtAucuneFenetre)
{
    creerFichier(QStringLiteral("abime.kbt"), QByteArray("\x07\x00\x00\x00pas un catalogue", 20));
    repondeur->reponses.push_back(QMessageBox::Ok);
    EXPECT_EQ(app->documents().ouvrir(chemin(QStringLiteral("abime.kbt"))), nullptr);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_TRUE(repondeur->boites[0].texte.contains(QStringLiteral("abime.kbt")))
        << repondeur->boites[0].texte.toStdString();
    EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Warning);
    EXPECT_EQ(cadre().cadres().size(), 1);
    EXPECT_EQ(fenetre().titre(), QStringLiteral("Liste1"));
}

TEST_F(Enregistrement, OuvrirUnFichierDejaOuvertLeRameneDevantMaximise)
{
    const QString fichier = creerCatalogue(QStringLiteral("cd.kbt"), {QStringLiteral("Photos")});
    app->documents().dialogueOuvrir = [fichier] { return fichier; };
    executer(cmd::Ouvrir);
    ASSERT_EQ(cadre().cadres().size(), 2);
    CChildFrame* ouvert = cadre().cadreActif();
    EXPECT_EQ(ouvert->titre(), QStringLiteral("cd.kbt"));
    EXPECT_EQ(libelles(), QStringList{QStringLiteral("Photos")});
    EXPECT_FALSE(doc().estModifie());

    // Back to the first window, restored to its normal size; then open the same file.
    CChildFrame* premier = cadre().cadres().first();
    premier->showNormal();
    cadre().zoneMdi().setActiveSubWindow(premier);
    ouvert->showNormal();
    laisserTourner();
    executer(cmd::Ouvrir);
    EXPECT_EQ(cadre().cadres().size(), 2);
    EXPECT_EQ(cadre().cadreActif(), ouvert);
    EXPECT_TRUE(ouvert->isMaximized());
}

TEST_F(Enregistrement, QuitterDemandePourChaqueDocumentModifie)
{
    modifier();
    executer(cmd::Nouveau);
    repondeur->reponses.push_back(QMessageBox::Cancel);
    bool ferme = false;
    QObject::connect(&cadre(), &CMainFrame::ferme, [&] { ferme = true; });
    executer(cmd::Quitter);
    EXPECT_EQ(repondeur->boites.size(), 1u);
    EXPECT_FALSE(ferme);
    EXPECT_EQ(cadre().cadres().size(), 2);

    repondeur->reponses.push_back(QMessageBox::Discard);
    executer(cmd::Quitter);
    EXPECT_TRUE(ferme);
    EXPECT_TRUE(cadre().cadres().isEmpty());
}

} // namespace
