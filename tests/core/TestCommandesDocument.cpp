// The document's commands: new binder, new query, sub-folder display, rename, delete.

#include "tests/core/Factices.h"

#include "capture/CSuiviCapture.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "workspace/MisesAJour.h"

namespace {

class CommandesDocument : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        p.remplir = [](CRequete& q) { q.definirChemin("/media/cd"); };
        p.insererDisque("/media/cd", "CD", 0x1234);
        p.ajouterFichier("/media/cd/sous/f.txt");
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        doc->ajouterObservateur(&journal);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }
    CJournalChangements journal;
    std::unique_ptr<CDoc> doc;
};

TEST_F(CommandesDocument, NouveauClasseurNommeSansModifier)
{
    CClasseur* c = doc->nouveauClasseur();
    EXPECT_EQ(c->nom(), "Classeur");
    EXPECT_FALSE(doc->estModifie());
    EXPECT_EQ(doc->nouveauClasseur()->nom(), "Classeur 2");
    EXPECT_EQ(libellesSous(*doc), (std::vector<std::string>{"Classeur", "Classeur 2", "Général"}));
}

TEST_F(CommandesDocument, NouvelleRequeteAnnuleeNeChangeRien)
{
    p.accepter = false;
    EXPECT_EQ(nouvelleRequete(contexte(), *doc), nullptr);
    EXPECT_TRUE(doc->classeurs().elementA(0)->requetes().estVide());
    EXPECT_FALSE(doc->estModifie());
    EXPECT_EQ(p.creations, (std::vector<bool>{true}));
}

TEST_F(CommandesDocument, NouvelleRequeteNommeeCaptureeSelectionnee)
{
    CRequete* q = nouvelleRequete(contexte(), *doc);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->nom(), "/media/cd");
    EXPECT_EQ(q->classeur(), doc->classeurs().elementA(0));
    EXPECT_EQ(q->nomVolume, "CD");
    ASSERT_EQ(q->sousDossiers().nombre(), 1);
    EXPECT_TRUE(doc->estModifie());
    EXPECT_EQ(nouvelleRequete(contexte(), *doc)->nom(), "/media/cd 2");
}

class CAnnulation : public CSuiviCapture {
public:
    bool progression(const SProgressionCapture&) override { return false; }
};

TEST_F(CommandesDocument, NouvelleRequeteDontLaCaptureEstAnnuleeNEstPasCreee)
{
    CAnnulation annuler;
    p.suivi = &annuler;
    EXPECT_EQ(nouvelleRequete(contexte(), *doc), nullptr);
    p.suivi = nullptr;
    EXPECT_TRUE(doc->classeurs().elementA(0)->requetes().estVide());
    // Shown while it was captured, gone with the cancel.
    EXPECT_EQ(journal.lignes, (std::vector<std::string>{"ajout /media/cd", "va partir /media/cd", "suppression de Général", "marques"}));
    EXPECT_FALSE(doc->estModifie());
    // The next one is created as usual.
    ASSERT_NE(nouvelleRequete(contexte(), *doc), nullptr);
    EXPECT_EQ(doc->classeurs().elementA(0)->requetes().nombre(), 1);
}

TEST_F(CommandesDocument, SansClasseurCourantPasDeNouvelleRequete)
{
    ASSERT_TRUE(doc->supprimerNoeud(*doc->classeurs().elementA(0)));
    EXPECT_EQ(contexte().classeurCourant, nullptr);
    EXPECT_EQ(nouvelleRequete(contexte(), *doc), nullptr);
    EXPECT_TRUE(p.creations.empty());

    // A binder of another document is not a current binder for this one.
    CDoc autre;
    contexte().classeurCourant = autre.initialiserNouveau();
    EXPECT_EQ(nouvelleRequete(contexte(), *doc), nullptr);
    EXPECT_TRUE(p.creations.empty());
}

TEST_F(CommandesDocument, BasculerLesSousDossiersDeuxFoisNeCaptureRien)
{
    CRequete* q = nouvelleRequete(contexte(), *doc);
    doc->definirModifie(false);
    CFichier* f = q->sousDossiers().elementA(0)->fichiers().elementA(0);

    doc->basculerSousDossiers();
    EXPECT_FALSE(doc->afficherSousDossiers);
    EXPECT_TRUE(doc->estModifie());
    EXPECT_TRUE(itemsSous(*q).empty());

    doc->basculerSousDossiers();
    EXPECT_TRUE(doc->afficherSousDossiers);
    EXPECT_EQ(libellesSous(*q), (std::vector<std::string>{"sous"}));
    EXPECT_EQ(q->sousDossiers().elementA(0)->fichiers().elementA(0), f);  // same snapshot
}

TEST_F(CommandesDocument, BasculerSansRequeteNeModifiePas)
{
    doc->basculerSousDossiers();
    EXPECT_FALSE(doc->estModifie());
}

TEST_F(CommandesDocument, RenommerEtSupprimerModifientLeDocument)
{
    CClasseur* c = doc->classeurs().elementA(0);
    EXPECT_TRUE(doc->renommer(*c, "Général"));  // unchanged: accepted without a check
    EXPECT_TRUE(p.messages.empty());
    EXPECT_FALSE(doc->estModifie());
    CClasseur* autre = doc->nouveauClasseur();
    EXPECT_FALSE(doc->renommer(*autre, "Général"));
    EXPECT_EQ(autre->nom(), "Classeur");
    EXPECT_FALSE(doc->estModifie());
    EXPECT_TRUE(doc->renommer(*autre, "Disques"));
    EXPECT_EQ(autre->nom(), "Disques");
    EXPECT_TRUE(doc->estModifie());

    doc->definirModifie(false);
    EXPECT_FALSE(doc->supprimerNoeud(*doc));
    EXPECT_FALSE(doc->estModifie());
    EXPECT_TRUE(doc->supprimerNoeud(*autre));
    EXPECT_TRUE(doc->estModifie());
    EXPECT_EQ(doc->classeurs().nombre(), 1);
}

} // namespace
