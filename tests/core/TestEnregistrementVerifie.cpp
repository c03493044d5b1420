// The window program's save: a file changed in place since it was loaded is a change
// too; an unchanged file, the program's own save, a new name or a file that has gone
// are saved without a question. (The question itself, Oui and Non: the window test
// TestModificationExterieure.)

#include "tests/core/Factices.h"

#include <unistd.h>

#include "storage/EnregistrementVerifie.h"
#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

class EnregistrementVerifie : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        CDoc ecrit;
        remplirCatalogue(ecrit, 10, 20, 'a');
        ASSERT_TRUE(enregistrerCatalogue(ecrit, chemin));
        ASSERT_TRUE(chargerCatalogue(doc, chemin));
        remplirCatalogue(doc, 10, 20, 'b');
    }
    // Another program's save: same size, so only the file's identity tells.
    void autreProgrammeEnregistre(char lettre)
    {
        CDoc autre;
        remplirCatalogue(autre, 10, 20, lettre);
        ASSERT_TRUE(enregistrerCatalogue(autre, chemin));
        ancien = lireTout(chemin);
    }

    CDossierTemporaire dossier;
    const std::string chemin = dossier.sous("cd.kbt");
    CDoc doc;
    std::string ancien;
};

TEST_F(EnregistrementVerifie, FichierInchangeEnregistreSansQuestion)
{
    EXPECT_EQ(enregistrerApresVerification(doc, chemin, p).issue, EIssueEnregistrement::Enregistre);
    // Its own save is no change by another program either.
    remplirCatalogue(doc, 12, 20, 'c');
    EXPECT_EQ(enregistrerApresVerification(doc, chemin, p).issue, EIssueEnregistrement::Enregistre);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(lireTout(chemin), ecrireCatalogue(doc));
}

// Rewritten in place (the same file, another content) counts as a change too.
TEST_F(EnregistrementVerifie, ReecritSurPlace)
{
    {
        std::ofstream f(chemin, std::ios::binary | std::ios::app);
        f << "x";
    }
    EXPECT_EQ(enregistrerApresVerification(doc, chemin, p).issue, EIssueEnregistrement::Annule);
    EXPECT_EQ(p.messages.size(), 1u);
}

// A file saved under another name, or one that has gone, holds nothing to protect.
TEST_F(EnregistrementVerifie, AutreNomOuFichierDisparu)
{
    autreProgrammeEnregistre('x');
    const std::string autre = dossier.sous("autre.kbt");
    EXPECT_EQ(enregistrerApresVerification(doc, autre, p).issue, EIssueEnregistrement::Enregistre);
    ASSERT_EQ(unlink(autre.c_str()), 0);
    EXPECT_EQ(enregistrerApresVerification(doc, autre, p).issue, EIssueEnregistrement::Enregistre);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(lireTout(chemin), ancien);
}

} // namespace
