// What the nodes put in the tree and the list.

#include "tests/core/Factices.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

class VuesNoeuds : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        doc = std::make_unique<CDoc>();
        doc->definirArbre(&arbre);
        musique = new CClasseur(doc.get(), "Musique");
        doc->classeurs().ajouter(musique);
        photos = new CClasseur(doc.get(), "Photos");
        doc->classeurs().ajouter(photos);
        q = new CRequete(photos);
        q->definirNom("Vacances");
        q->definirChemin("/m/vacances");
        photos->requetes().ajouter(q);
        ete = new CDossier(q, "/m/vacances/été", false);
        q->sousDossiers().ajouter(ete);
        hiver = new CDossier(q, "/m/vacances/hiver", false);
        q->sousDossiers().ajouter(hiver);
        plage = new CDossier(q, "/m/vacances/été/plage", false);
        ete->sousDossiers().ajouter(plage);
        a = new CFichier(q, "/m/vacances/a.jpg");
        q->fichiers().ajouter(a);
        b = new CFichier(plage, "/m/vacances/été/plage/b.jpg");
        plage->fichiers().ajouter(b);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    CArbreFactice arbre;
    std::unique_ptr<CDoc> doc;
    CClasseur *musique = nullptr, *photos = nullptr;
    CRequete* q = nullptr;
    CDossier *ete = nullptr, *hiver = nullptr, *plage = nullptr;
    CFichier *a = nullptr, *b = nullptr;
};

TEST_F(VuesNoeuds, LeDocumentInsereSesClasseursRequetesEtDossiers)
{
    doc->insererEnfants(arbre, 0);
    EXPECT_EQ(arbre.libelles(), (std::vector<std::string>{"Musique", "Photos"}));
    const ElementArbre ip = photos->elementArbre();
    ASSERT_NE(ip, 0u);
    EXPECT_EQ(arbre.libelles(ip), (std::vector<std::string>{"Vacances"}));
    const ElementArbre iq = q->elementArbre();
    EXPECT_EQ(arbre.elements[iq].image, kImageRequete);
    EXPECT_EQ(arbre.elements[iq].imageSelection, kImageRequeteSelection);
    EXPECT_EQ(arbre.elements[ip].image, kImageDossierFerme);
    // Folders show the last component of their path.
    EXPECT_EQ(arbre.libelles(iq), (std::vector<std::string>{"hiver", "été"}));
    const ElementArbre iplage = plage->elementArbre();
    ASSERT_NE(iplage, 0u);
    EXPECT_EQ(arbre.elements[iplage].texte, "plage");
    EXPECT_EQ(arbre.elements[arbre.elements[iplage].parent].noeud, static_cast<CElement*>(ete));
}

TEST_F(VuesNoeuds, SansSousDossiersLaRequeteNaPasDEnfants)
{
    doc->afficherSousDossiers = false;
    doc->insererEnfants(arbre, 0);
    EXPECT_TRUE(arbre.libelles(q->elementArbre()).empty());
    EXPECT_EQ(plage->elementArbre(), 0u);
}

TEST_F(VuesNoeuds, MiseAJourDUnClasseurReconstruitSaBrancheSansCapture)
{
    doc->insererEnfants(arbre, 0);
    arbre.selectionner(0);
    const std::size_t avant = arbre.elements.size();
    photos->mettreAJourBranche(true);
    EXPECT_EQ(arbre.elements.size(), avant);
    EXPECT_EQ(arbre.noeud(arbre.selection()), static_cast<CElement*>(photos));
    EXPECT_EQ(q->fichiers().nombre(), 1);     // nothing was captured
    EXPECT_FALSE(doc->estModifie());
    EXPECT_EQ(arbre.libelles(), (std::vector<std::string>{"Musique", "Photos"}));
}

TEST_F(VuesNoeuds, ListeDUnClasseur)
{
    CListeFactice liste;
    photos->remplirListe(liste);
    ASSERT_EQ(liste.titres(), (std::vector<std::string>{"Nom", "Dossier"}));
    EXPECT_EQ(liste.colonnes[0].largeur, 100);
    EXPECT_EQ(liste.colonnes[1].largeur, 300);
    EXPECT_EQ(liste.colonnes[0].champ, EChamp::NomRequete);
    EXPECT_EQ(liste.colonnes[1].champ, EChamp::DossierRequete);
    ASSERT_EQ(liste.lignes.size(), 1u);
    EXPECT_EQ(liste.lignes[0], static_cast<CElement*>(q));
}

TEST_F(VuesNoeuds, ColonnesDesFichiersSelonLesValeursStockees)
{
    CListeFactice complete;
    q->remplirListe(complete);
    EXPECT_EQ(complete.titres(),
              (std::vector<std::string>{"Nom", "Taille", "Créé", "Modifié", "Accédé", "Attribut"}));
    EXPECT_TRUE(complete.colonnes[1].aDroite);
    EXPECT_TRUE(complete.colonnes[5].aDroite);
    EXPECT_FALSE(complete.colonnes[0].aDroite);

    q->stockerTaille = false;
    q->stockerAccede = false;
    doc->afficherSousDossiers = false;
    CListeFactice reduite;
    q->remplirListe(reduite);
    EXPECT_EQ(reduite.titres(), (std::vector<std::string>{"Nom", "Créé", "Modifié", "Attribut", "Dossier"}));
}

TEST_F(VuesNoeuds, LignesDesFichiersAvecSousDossiersEtFiltre)
{
    CListeFactice seuls;
    q->remplirListe(seuls);
    EXPECT_EQ(seuls.lignes, (std::vector<CElement*>{a}));

    // Sub-folders hidden from the tree: their files follow, depth first.
    doc->afficherSousDossiers = false;
    auto* c = new CFichier(hiver, "/m/vacances/hiver/c.jpg");
    hiver->fichiers().ajouter(c);
    CListeFactice tous;
    q->remplirListe(tous);
    EXPECT_EQ(tous.lignes, (std::vector<CElement*>{a, b, c}));

    // The search filter keeps the found files only.
    contexte().filtreRecherche = true;
    a->marque = 0;
    b->marque = 1;
    c->marque = 0;
    CListeFactice filtree;
    q->remplirListe(filtree);
    EXPECT_EQ(filtree.lignes, (std::vector<CElement*>{b}));
}

} // namespace
