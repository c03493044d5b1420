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
        ouvert(*doc);
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
        a = CFichier::creer(q->arene(), q, "/m/vacances/a.jpg");
        q->fichiers().ajouter(a);
        b = CFichier::creer(plage->arene(), plage, "/m/vacances/été/plage/b.jpg");
        plage->fichiers().ajouter(b);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    std::unique_ptr<CDoc> doc;
    CClasseur *musique = nullptr, *photos = nullptr;
    CRequete* q = nullptr;
    CDossier *ete = nullptr, *hiver = nullptr, *plage = nullptr;
    CFichier *a = nullptr, *b = nullptr;
};

TEST_F(VuesNoeuds, LArbreMontreClasseursRequetesEtDossiers)
{
    EXPECT_EQ(libellesSous(*doc), (std::vector<std::string>{"Musique", "Photos"}));
    EXPECT_EQ(libellesSous(*photos), (std::vector<std::string>{"Vacances"}));
    const std::vector<SItemArbre> requetes = itemsSous(*photos);
    ASSERT_EQ(requetes.size(), 1u);
    EXPECT_EQ(requetes[0].noeud, static_cast<CElement*>(static_cast<CDossier*>(q)));
    EXPECT_EQ(requetes[0].image, kImageRequete);
    EXPECT_EQ(requetes[0].imageSelection, kImageRequeteSelection);
    EXPECT_EQ(itemsSous(*doc)[0].image, kImageDossierFerme);
    // Folders show the last component of their path.
    EXPECT_EQ(libellesSous(*q), (std::vector<std::string>{"hiver", "été"}));
    const std::vector<SItemArbre> sousEte = itemsSous(*ete);
    ASSERT_EQ(sousEte.size(), 1u);
    EXPECT_EQ(sousEte[0].libelle, "plage");
    EXPECT_EQ(sousEte[0].noeud, static_cast<CElement*>(plage));
    EXPECT_TRUE(itemsSous(*plage).empty());

    // Without sub-folders a query has no items beneath it.
    doc->afficherSousDossiers = false;
    EXPECT_TRUE(itemsSous(*q).empty());
    EXPECT_TRUE(itemsSous(*ete).empty());
}

TEST_F(VuesNoeuds, ListeDUnClasseur)
{
    const SContenuListe liste = photos->contenuListe(false);
    ASSERT_EQ(titres(liste), (std::vector<std::string>{"Nom", "Dossier"}));
    EXPECT_EQ(liste.colonnes[0].largeur, 100);
    EXPECT_EQ(liste.colonnes[1].largeur, 300);
    EXPECT_EQ(liste.colonnes[0].champ, EChamp::NomRequete);
    EXPECT_EQ(liste.colonnes[1].champ, EChamp::DossierRequete);
    ASSERT_EQ(liste.lignes.size(), 1u);
    EXPECT_EQ(liste.lignes[0], static_cast<CElement*>(q));
}

TEST_F(VuesNoeuds, ColonnesDesFichiersSelonLesValeursStockees)
{
    const SContenuListe complete = q->contenuListe(false);
    EXPECT_EQ(titres(complete),
              (std::vector<std::string>{"Nom", "Taille", "Créé", "Modifié", "Accédé", "Attribut"}));
    EXPECT_TRUE(complete.colonnes[1].aDroite);
    EXPECT_TRUE(complete.colonnes[5].aDroite);
    EXPECT_FALSE(complete.colonnes[0].aDroite);

    q->stockerTaille = false;
    q->stockerAccede = false;
    doc->afficherSousDossiers = false;
    const SContenuListe reduite = q->contenuListe(false);
    EXPECT_EQ(titres(reduite), (std::vector<std::string>{"Nom", "Créé", "Modifié", "Attribut", "Dossier"}));
}

TEST_F(VuesNoeuds, LignesDesFichiersAvecSousDossiersEtFiltre)
{
    const SContenuListe seuls = q->contenuListe(false);
    EXPECT_EQ(seuls.lignes, (std::vector<CElement*>{a}));

    // Sub-folders hidden from the tree: their files follow, depth first.
    doc->afficherSousDossiers = false;
    auto* c = CFichier::creer(hiver->arene(), hiver, "/m/vacances/hiver/c.jpg");
    hiver->fichiers().ajouter(c);
    const SContenuListe tous = q->contenuListe(false);
    EXPECT_EQ(tous.lignes, (std::vector<CElement*>{a, b, c}));

    // The search filter keeps the found files only.
    a->marque = 0;
    b->marque = 1;
    c->marque = 0;
    const SContenuListe filtree = q->contenuListe(true);
    EXPECT_EQ(filtree.lignes, (std::vector<CElement*>{b}));
}

} // namespace
