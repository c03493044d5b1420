// "&Sous-dossiers": the folders of every query leave or come back in the tree, the
// check mark follows, the selected folder gives way to its query, and no snapshot is
// scanned again.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "ui/IdCommandes.h"

using SousDossiers = AvecNorvanel;

TEST_F(SousDossiers, UnDossierSelectionneLaisseSaRequeteSelectionnee)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd"});
    CRequete* q = c->requetes().elementA(0);
    CDossier* photos = ajouterDossier(*q, "Photos");
    CDossier* noel = ajouterDossier(*photos, "Noël");
    arbre().reconstruire();
    selectionner(noel);
    arbre().expand(indexDe(c));
    ASSERT_TRUE(coche(cmd::SousDossiers));

    executer(cmd::SousDossiers);
    EXPECT_FALSE(doc().afficherSousDossiers);
    EXPECT_FALSE(coche(cmd::SousDossiers));
    const CElement* requete = static_cast<CDossier*>(q);
    EXPECT_EQ(arbre().noeudSelectionne(), requete);
    EXPECT_TRUE(libelles(indexDe(requete)).isEmpty());
    EXPECT_FALSE(indexDe(noel).isValid());
    // The list pane lists the query; the binder stays open; the document changed.
    EXPECT_EQ(fenetre().liste().noeudListe(), requete);
    EXPECT_TRUE(arbre().isExpanded(indexDe(c)));
    EXPECT_TRUE(doc().estModifie());

    executer(cmd::SousDossiers);
    EXPECT_TRUE(coche(cmd::SousDossiers));
    EXPECT_EQ(libelles(indexDe(requete)), QStringList{QStringLiteral("Photos")});
    EXPECT_EQ(libelles(indexDe(photos)), QStringList{QStringLiteral("Noël")});
    EXPECT_EQ(q->sousDossiers().elementA(0), photos);   // the same snapshot
    EXPECT_EQ(arbre().noeudSelectionne(), requete);
}

TEST_F(SousDossiers, DisponibleQuelQueSoitLePanneauActif)
{
    fenetre().panneauSuivant();
    laisserTourner();
    ASSERT_FALSE(fenetre().arbreActif());
    EXPECT_TRUE(actif(cmd::SousDossiers));
    executer(cmd::SousDossiers);
    EXPECT_FALSE(doc().afficherSousDossiers);
    // No query: nothing to save.
    EXPECT_FALSE(doc().estModifie());
}
