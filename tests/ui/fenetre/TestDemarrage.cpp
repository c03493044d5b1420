// Start-up: one maximised "Liste1" window split 150 pixels from the left, the menus of
// each document state with every item, the toolbar, the status bar, the about box.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>

#include "model/CDoc.h"
#include "shell/CApp.h"
#include "shell/CArboView.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "compare/ui/CComparaisonDlg.h"
#include "ui/CResultatsDlg.h"
#include "shell/CMainFrame.h"
#include "ui/CToolBarEx.h"
#include "ui/IdCommandes.h"

namespace {

// Each menu of the bar: its title, then its items ("-" for a separator), the recent
// files left out.
QStringList contenuMenus(QMenuBar* barre)
{
    QStringList l;
    for (QAction* m : barre->actions()) {
        l.append(QStringLiteral("[%1]").arg(m->text()));
        for (QAction* a : m->menu()->actions()) {
            if (a->isSeparator())
                l.append(QStringLiteral("-"));
            else if (a->isVisible())
                l.append(a->text());
        }
    }
    return l;
}

} // namespace

using Demarrage = AvecNorvanel;

TEST_F(Demarrage, UneFenetreListe1MaximiseeAvecLeClasseurGeneral)
{
    ASSERT_EQ(cadre().cadres().size(), 1);
    CChildFrame& f = fenetre();
    EXPECT_TRUE(f.isMaximized());
    EXPECT_EQ(f.titre(), QStringLiteral("Liste1"));
    EXPECT_EQ(titreAffiche(cadre()), QStringLiteral("Norvanel - [Liste1]"));
    // A document window restored to its normal size: its name without brackets.
    EXPECT_TRUE(f.arbreActif());
    f.showNormal();
    laisserTourner();
    EXPECT_EQ(titreAffiche(cadre()), QStringLiteral("Norvanel - Liste1"));
    f.showMaximized();
    laisserTourner();
    EXPECT_EQ(titreAffiche(cadre()), QStringLiteral("Norvanel - [Liste1]"));
    EXPECT_EQ(libelles(), QStringList{QStringLiteral("Général")});
    EXPECT_FALSE(doc().estModifie());
    // The tree first, 150 pixels wide; the list pane beside it.
    EXPECT_EQ(f.separateur().count(), 2);
    EXPECT_EQ(f.separateur().widget(0), &f.arbre());
    EXPECT_EQ(f.separateur().sizes().value(0), 150);
    EXPECT_TRUE(f.arbreActif());
}

TEST_F(Demarrage, LesFenetresDeResultatsExistentCachees)
{
    EXPECT_FALSE(app->resultatsRecherche().isVisible());
    EXPECT_FALSE(app->resultatsComparaison().isVisible());
    EXPECT_EQ(app->resultatsRecherche().windowTitle(), QStringLiteral("Résultats de la recherche"));
    EXPECT_FALSE(app->resultatsRecherche().windowIcon().isNull());
    EXPECT_FALSE(app->resultatsComparaison().windowIcon().isNull());
    executer(cmd::ResultatsRecherche);
    EXPECT_TRUE(app->resultatsRecherche().isVisible());
    app->resultatsRecherche().close();
    EXPECT_FALSE(app->resultatsRecherche().isVisible());
    executer(cmd::ResultatsComparaison);
    EXPECT_TRUE(app->resultatsComparaison().isVisible());
    app->resultatsComparaison().hide();
}

TEST_F(Demarrage, Menu101AvecUnDocument)
{
    EXPECT_TRUE(cadre().menuDocumentAffiche());
    const QStringList attendu = {
        QStringLiteral("[&Fichier]"), QStringLiteral("&Nouveau\tCtrl+N"), QStringLiteral("&Ouvrir...\tCtrl+O"),
        QStringLiteral("&Fermer"), QStringLiteral("&Enregistrer\tCtrl+S"), QStringLiteral("En&registrer sous..."),
        QStringLiteral("-"), QStringLiteral("&Imprimer...\tCtrl+P"), QStringLiteral("Aperçu a&vant impression"),
        QStringLiteral("Confi&guration de l'impression..."), QStringLiteral("-"), QStringLiteral("Fichier récent"),
        QStringLiteral("-"), QStringLiteral("&Quitter"),
        QStringLiteral("[&Edition]"), QStringLiteral("&Supprimer\tSuppr"), QStringLiteral("&Renommer\tF2"),
        QStringLiteral("&Propriétés...\tF4"),
        QStringLiteral("[&Liste de fichiers]"), QStringLiteral("Nouveau c&lasseur...\tCTRL+C"),
        QStringLiteral("&Nouvelle requête...\tCTRL+R"), QStringLiteral("M&odifier la requête...\tCTRL+M"),
        QStringLiteral("-"), QStringLiteral("&Rechercher...\tF3"), QStringLiteral("Ré&sultats de la recherche\tMAJ+F3"),
        QStringLiteral("-"), QStringLiteral("&Comparer des requêtes...\tF7"),
        QStringLiteral("Rés&ultats de la comparaison\tMAJ+F7"), QStringLiteral("-"),
        QStringLiteral("&Mettre à jour\tF5"), QStringLiteral("&Tout mettre à jour\tCTRL+F5"),
        QStringLiteral("[&Affichage]"), QStringLiteral("&Barre d'outils"), QStringLiteral("Barre d'é&tat"),
        QStringLiteral("&Fractionner"), QStringLiteral("-"), QStringLiteral("&Sous-dossiers"),
        QStringLiteral("Filtre &recherche"),
        QStringLiteral("[Fe&nêtre]"), QStringLiteral("&Cascade"), QStringLiteral("&Mosaïque"),
        QStringLiteral("&Réorganiser les icônes"),
        QStringLiteral("[&?]"), QStringLiteral("&A propos de Norvanel..."),
    };
    EXPECT_EQ(contenuMenus(cadre().menuBar()), attendu);
}

TEST_F(Demarrage, Menu100SansDocument)
{
    fenetre().close();
    laisserTourner();
    ASSERT_TRUE(cadre().cadres().isEmpty());
    EXPECT_FALSE(cadre().menuDocumentAffiche());
    EXPECT_EQ(titreAffiche(cadre()), QStringLiteral("Norvanel"));
    const QStringList attendu = {
        QStringLiteral("[&Fichier]"), QStringLiteral("&Nouveau\tCtrl+N"), QStringLiteral("&Ouvrir...\tCtrl+O"),
        QStringLiteral("-"), QStringLiteral("Confi&guration de l'impression..."), QStringLiteral("-"),
        QStringLiteral("Fichier récent"), QStringLiteral("-"), QStringLiteral("&Quitter"),
        QStringLiteral("[&Affichage]"), QStringLiteral("&Barre d'outils"), QStringLiteral("Barre d'é&tat"),
        QStringLiteral("&Fractionner"), QStringLiteral("-"), QStringLiteral("&Sous-dossiers"),
        QStringLiteral("Filtre &recherche"),
        QStringLiteral("[&?]"), QStringLiteral("&A propos de Norvanel..."),
    };
    EXPECT_EQ(contenuMenus(cadre().menuBar()), attendu);
    // The commands of documents and views are absent: their buttons are disabled.
    for (int id : {cmd::Enregistrer, cmd::Imprimer, cmd::Supprimer, cmd::Proprietes, cmd::NouveauClasseur,
                   cmd::SousDossiers, cmd::Fractionner, cmd::Fermer})
        EXPECT_FALSE(actif(id)) << id;
    for (int id : {cmd::Nouveau, cmd::Ouvrir, cmd::FiltreRecherche, cmd::APropos, cmd::Quitter,
                   cmd::BarreOutils, cmd::BarreEtat})
        EXPECT_TRUE(actif(id)) << id;
    // A new document brings menu 101 back.
    executer(cmd::Nouveau);
    EXPECT_TRUE(cadre().menuDocumentAffiche());
    EXPECT_EQ(fenetre().titre(), QStringLiteral("Liste2"));
}

TEST_F(Demarrage, RaccourcisDeLaTableDesAccelerateurs)
{
    const std::pair<int, const char*> attendus[] = {
        {cmd::NouveauClasseur, "Ctrl+C"}, {cmd::ModifierRequete, "Ctrl+M"}, {cmd::Nouveau, "Ctrl+N"},
        {cmd::Ouvrir, "Ctrl+O"}, {cmd::Imprimer, "Ctrl+P"}, {cmd::NouvelleRequete, "Ctrl+R"},
        {cmd::Enregistrer, "Ctrl+S"}, {cmd::Renommer, "F2"}, {cmd::Rechercher, "F3"},
        {cmd::ResultatsRecherche, "Shift+F3"}, {cmd::Proprietes, "F4"}, {cmd::MettreAJour, "F5"},
        {cmd::ToutMettreAJour, "Ctrl+F5"}, {cmd::PanneauSuivant, "F6"}, {cmd::ComparerRequetes, "F7"},
        {cmd::ResultatsComparaison, "Shift+F7"},
    };
    for (const auto& [id, touche] : attendus)
        EXPECT_EQ(cadre().action(id)->shortcut(), QKeySequence(QString::fromLatin1(touche))) << id;
    // The Delete key is no accelerator: only the tree reacts to it.
    EXPECT_TRUE(cadre().action(cmd::Supprimer)->shortcut().isEmpty());
}

TEST_F(Demarrage, BarreDOutilsDansLOrdreAvecSesBulles)
{
    QStringList bulles;
    for (QAction* a : cadre().barreOutils().actionsDesBoutons())
        bulles.append(a ? a->toolTip() : QStringLiteral("|"));
    const QStringList attendu = {
        QStringLiteral("Nouveau"), QStringLiteral("Ouvrir"), QStringLiteral("Enregistrer"), QStringLiteral("|"),
        QStringLiteral("Imprimer"), QStringLiteral("Aperçu avant impression"), QStringLiteral("|"),
        QStringLiteral("Supprimer"), QStringLiteral("Propriétés"), QStringLiteral("|"),
        QStringLiteral("Rechercher"), QStringLiteral("|"), QStringLiteral("Nouveau classeur"),
        QStringLiteral("Nouvelle requête"), QStringLiteral("Modifier requête"), QStringLiteral("Comparer"),
        QStringLiteral("|"), QStringLiteral("Sous-dossiers"), QStringLiteral("Filtre recherche"),
        QStringLiteral("|"), QStringLiteral("A propos de"),
    };
    EXPECT_EQ(bulles, attendu);
    for (QAction* a : cadre().barreOutils().actionsDesBoutons()) {
        if (a) {
            EXPECT_FALSE(a->icon().isNull()) << a->toolTip().toStdString();
        }
    }
    EXPECT_FALSE(cadre().barreOutils().isMovable());
    EXPECT_FALSE(cadre().barreOutils().isFloatable());
}

TEST_F(Demarrage, BarreDEtatPretPuisLInviteDeLaCommandeSurvolee)
{
    CBarreEtat& etat = cadre().barreEtat();
    EXPECT_EQ(etat.texteMessage(), QStringLiteral("Prêt"));
    EXPECT_EQ(cadre().action(cmd::Nouveau)->statusTip(), QStringLiteral("Crée un nouveau document"));
    cadre().action(cmd::ToutMettreAJour)->showStatusText(&cadre());
    EXPECT_EQ(etat.texteMessage(), QStringLiteral("Met à jour toutes les requêtes du document"));
    etat.clearMessage();
    EXPECT_EQ(etat.texteMessage(), QStringLiteral("Prêt"));
    // Without a screen nobody can read the lock keys: no indicator, rather than one
    // that always says "off".
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    etat.actualiserVerrous();
    EXPECT_FALSE(etat.verrousAffiches());
}

TEST_F(Demarrage, BarresMasqueesEtAfficheesAvecLeurCoche)
{
    EXPECT_TRUE(coche(cmd::BarreOutils));
    executer(cmd::BarreOutils);
    EXPECT_TRUE(cadre().barreOutils().isHidden());
    EXPECT_FALSE(coche(cmd::BarreOutils));
    executer(cmd::BarreOutils);
    EXPECT_TRUE(coche(cmd::BarreOutils));
    executer(cmd::BarreEtat);
    EXPECT_FALSE(coche(cmd::BarreEtat));
    EXPECT_TRUE(cadre().barreEtat().isHidden());
    executer(cmd::BarreEtat);
    EXPECT_TRUE(coche(cmd::BarreEtat));
}

TEST_F(Demarrage, AProposSansDocument)
{
    fenetre().close();
    laisserTourner();
    QString titre, texte;
    repondeur->autreDialogue = [&](QDialog& d) {
        titre = d.windowTitle();
        if (auto* l = d.findChild<QLabel*>(QStringLiteral("texteVersion")))
            texte = l->text();
        d.accept();
    };
    executer(cmd::APropos);
    EXPECT_EQ(titre, QStringLiteral("A propos de Norvanel"));
    EXPECT_EQ(texte, QStringLiteral("Norvanel version 2.00"));
}
