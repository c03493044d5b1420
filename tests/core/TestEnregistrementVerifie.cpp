// The window program's save over a file another program changed since it was loaded:
// the user is asked, No leaves the file and the document as they were, Yes replaces
// it; an unchanged file, or a new name, is saved without a question.

#include "tests/core/Factices.h"

#include <unistd.h>

#include "model/EnregistrementVerifie.h"
#include "model/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/linux/CDossierTemporaire.h"

namespace {

class EnregistrementVerifie : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        CDoc ecrit;
        remplirCatalogue(ecrit, 10, 20, 'a');
        ASSERT_FALSE(enregistrerCatalogue(ecrit, chemin));
        ASSERT_FALSE(chargerCatalogue(doc, chemin));
        remplirCatalogue(doc, 10, 20, 'b');
    }
    // Another program's save: same size, so only the file's identity tells.
    void autreProgrammeEnregistre(char lettre)
    {
        CDoc autre;
        remplirCatalogue(autre, 10, 20, lettre);
        ASSERT_FALSE(enregistrerCatalogue(autre, chemin));
        ancien = lireTout(chemin);
    }

    CDossierTemporaire dossier;
    const std::string chemin = dossier.sous("cd.kbt");
    CDoc doc;
    std::string ancien;
};

TEST_F(EnregistrementVerifie, FichierInchangeEnregistreSansQuestion)
{
    EXPECT_EQ(enregistrerApresVerification(doc, chemin).issue, EIssueEnregistrement::Enregistre);
    // Its own save is no change by another program either.
    remplirCatalogue(doc, 12, 20, 'c');
    EXPECT_EQ(enregistrerApresVerification(doc, chemin).issue, EIssueEnregistrement::Enregistre);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(lireTout(chemin), ecrireCatalogue(doc));
}

TEST_F(EnregistrementVerifie, FichierChangeParUnAutre)
{
    const struct {
        const char* cas;
        EReponse reponse;
        EIssueEnregistrement issue;
    } cas[] = {
        {"non", EReponse::Non, EIssueEnregistrement::Annule},
        {"oui", EReponse::Oui, EIssueEnregistrement::Enregistre},
    };
    char lettre = 'x';
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        autreProgrammeEnregistre(lettre++);
        p.messages.clear();
        p.reponses = {c.reponse};
        doc.definirModifie();
        const SEnregistrement r = enregistrerApresVerification(doc, chemin);
        EXPECT_EQ(r.issue, c.issue);
        ASSERT_EQ(p.messages.size(), 1u);
        EXPECT_EQ(p.messages[0].texte, "Le catalogue « " + chemin +
                                           " » a été modifié par un autre programme depuis son ouverture. "
                                           "Voulez-vous le remplacer ?");
        EXPECT_EQ(p.messages[0].boutons, EBoutons::OuiNon);
        const bool enregistre = c.issue == EIssueEnregistrement::Enregistre;
        EXPECT_EQ(lireTout(chemin), enregistre ? ecrireCatalogue(doc) : ancien);
        EXPECT_EQ(doc.estModifie(), !enregistre);
    }
    // Once replaced, the file is the document's again: no question at the next save.
    p.messages.clear();
    EXPECT_EQ(enregistrerApresVerification(doc, chemin).issue, EIssueEnregistrement::Enregistre);
    EXPECT_TRUE(p.messages.empty());
}

// Rewritten in place (the same file, another content) counts as a change too.
TEST_F(EnregistrementVerifie, ReecritSurPlace)
{
    {
        std::ofstream f(chemin, std::ios::binary | std::ios::app);
        f << "x";
    }
    EXPECT_EQ(enregistrerApresVerification(doc, chemin).issue, EIssueEnregistrement::Annule);
    EXPECT_EQ(p.messages.size(), 1u);
}

// A file saved under another name, or one that has gone, holds nothing to protect.
TEST_F(EnregistrementVerifie, AutreNomOuFichierDisparu)
{
    autreProgrammeEnregistre('x');
    const std::string autre = dossier.sous("autre.kbt");
    EXPECT_EQ(enregistrerApresVerification(doc, autre).issue, EIssueEnregistrement::Enregistre);
    ASSERT_EQ(unlink(autre.c_str()), 0);
    EXPECT_EQ(enregistrerApresVerification(doc, autre).issue, EIssueEnregistrement::Enregistre);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(lireTout(chemin), ancien);
}

} // namespace
