// Catalogued paths that are not absolute paths of this system never reach the
// desktop's opener: they lead to the question for the disk.

#include "tests/core/Factices.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "workspace/Ouverture.h"

namespace {

class OuvertureCheminsEtrangers : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        p.insererDisque("/media/cd", "VACANCES", 0x12AB34CD);
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        q = new CRequete(doc->classeurs().elementA(0));
        q->definirChemin("/media/cd");
        q->nomVolume = "VACANCES";
        q->numeroSerie = 0x12AB34CD;
        doc->classeurs().elementA(0)->requetes().ajouter(q);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    std::unique_ptr<CDoc> doc;
    CRequete* q = nullptr;
};

TEST_F(OuvertureCheminsEtrangers, questionDuDisqueSansJamaisAppelerLOuvreur)
{
    const std::vector<std::string> chemins = {
        "C:\\Photos\\a.jpg", "\\\\serveur\\partage\\a.jpg", "http://exemple.org/a.jpg", "file:///media/cd/a.jpg",
        "../x", "a.jpg", "-x", "~/x", "//media/cd/a.jpg", "/media/cd/../../etc/passwd", "/media/cd/./a.jpg",
        "/media/cd/..", std::string("/media/cd/a.jpg\0/etc/passwd", 26), ""};
    for (const std::string& chemin : chemins) {
        p.messages.clear();
        // The right disk is in: OK comes back to the question, Cancel ends it.
        p.reponses = {EReponse::Ok, EReponse::Annuler};
        ouvrirAvecDisque(p, chemin, *q);
        EXPECT_EQ(p.messages.size(), 2u) << chemin;
    }
    EXPECT_TRUE(p.tentativesOuverture.empty());
}

TEST_F(OuvertureCheminsEtrangers, cheminsAbsolusLocauxVontALOuvreurTelsQuels)
{
    const std::vector<std::string> chemins = {"/", "/media/cd/-x", "/media/cd/a #%$(x);`y`.jpg",
                                              "/media/cd/dossier/", "/media/cd/...", "/media/cd/..x"};
    // Only "/" exists in the fake: each of the others is tried once, then the
    // question is cancelled.
    for (const std::string& chemin : chemins)
        ouvrirAvecDisque(p, chemin, *q);
    EXPECT_EQ(p.tentativesOuverture, chemins);
    EXPECT_EQ(p.ouvertures, std::vector<std::string>{"/"});
    EXPECT_EQ(p.messages.size(), chemins.size() - 1);
}

} // namespace
