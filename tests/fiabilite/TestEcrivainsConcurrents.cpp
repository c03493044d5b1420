// Several programs changing one catalogue at once, as an ordinary user: two
// norvanel-cli each adding binders never lose one of them; saves running side by side
// never take each other's temporary file; a folder the user may not write still lets
// him read.

#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "storage/EcritureSure.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/UtilisateurOrdinaire.h"
#include "tests/fiabilite/VerificationsEtapes.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

class EcrivainsConcurrents : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
        ASSERT_EQ(mkdir(dossier.c_str(), 0755), 0);
        ASSERT_TRUE(donnerAUtilisateurOrdinaire(dossier));
        ASSERT_EQ(cli({"new", catalogue}).attendre(), 0);
    }

    CProcessusEnfant& lancerCli(std::vector<std::unique_ptr<CProcessusEnfant>>& enfants,
                                const std::vector<std::string>& args)
    {
        std::vector<std::string> argv = {NORVANEL_CLI};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto commande = commeUtilisateurOrdinaire(argv);
        enfants.push_back(std::make_unique<CProcessusEnfant>(commande ? *commande : std::vector<std::string>{}));
        return *enfants.back();
    }
    CProcessusEnfant& cli(const std::vector<std::string>& args) { return lancerCli(seuls_, args); }

    // The binders `tree` lists (its lines without indentation).
    std::vector<std::string> classeurs()
    {
        CProcessusEnfant& arbre = cli({"tree", catalogue});
        EXPECT_EQ(arbre.attendre(), 0) << arbre.sortie();
        std::vector<std::string> r;
        std::istringstream lignes(arbre.sortie());
        for (std::string l; std::getline(lignes, l);)
            if (!l.empty() && l[0] != ' ')
                r.push_back(l);
        std::sort(r.begin(), r.end());
        return r;
    }

    CDossierTemporaire d;
    const std::string dossier = d.sous("partage");
    const std::string catalogue = dossier + "/cd.kbt";
    std::vector<std::unique_ptr<CProcessusEnfant>> seuls_;
};

TEST_F(EcrivainsConcurrents, DeuxMkbinderNePerdentAucunClasseur)
{
    if (!commeUtilisateurOrdinaire({}))
        GTEST_SKIP() << "setpriv est absent de cette machine";
    std::vector<std::string> attendus = {"Général"};
    for (int tour = 0; tour < 50; ++tour) {
        std::vector<std::unique_ptr<CProcessusEnfant>> paire;
        for (const char* cote : {"A", "B"}) {
            attendus.push_back(cote + std::to_string(tour));
            lancerCli(paire, {"mkbinder", catalogue, attendus.back()});
        }
        for (auto& e : paire)
            ASSERT_EQ(e->attendre(), 0) << e->sortie();
    }
    std::sort(attendus.begin(), attendus.end());
    EXPECT_EQ(classeurs(), attendus);
    EXPECT_EQ(entreesDe(dossier), std::vector<std::string>{"cd.kbt"});
}

// Four programs saving the same file again and again: a save's cleaning of leftovers
// must never take the temporary file another save has just made.
TEST_F(EcrivainsConcurrents, SauvegardesCoteACoteSansPerte)
{
    constexpr int kSauvegardes = 150;
    std::vector<std::string> argv = {cheminDuProgramme(), "--aide", "enregistrer", "", catalogue};
    argv.insert(argv.end(), kSauvegardes, "20:40:a");
    std::vector<std::unique_ptr<CProcessusEnfant>> aides;
    for (int i = 0; i < 4; ++i) {
        argv[3] = "p" + std::to_string(i);
        const auto commande = commeUtilisateurOrdinaire(argv);
        ASSERT_TRUE(commande) << "setpriv est absent de cette machine";
        aides.push_back(std::make_unique<CProcessusEnfant>(*commande));
    }
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(aides[i]->attendre(), 0) << aides[i]->sortie();
        const Rapport r = lireRapport(aides[i]->sortie());
        for (int n = 1; n <= kSauvegardes; ++n) {
            const std::string etape = "p" + std::to_string(i) + "." + std::to_string(n);
            ASSERT_EQ(valeurDe(r, etape + ".resultat"), "ok") << etape << " : " << valeurDe(r, etape + ".message");
        }
    }
    EXPECT_EQ(entreesDe(dossier), std::vector<std::string>{"cd.kbt"});
}

// A catalogue in a folder the user may not write: reading it needs no lock file, and a
// change is refused as a read-only folder is, with the catalogue untouched.
TEST_F(EcrivainsConcurrents, DossierEnLectureSeule)
{
    const std::string avant = lireTout(catalogue);
    ASSERT_EQ(chmod(dossier.c_str(), 0555), 0);
    EXPECT_EQ(classeurs(), std::vector<std::string>{"Général"});
    CProcessusEnfant& refus = cli({"mkbinder", catalogue, "Refusé"});
    EXPECT_EQ(refus.attendre(), 2);
    EXPECT_NE(refus.sortie().find("Impossible d'enregistrer le catalogue « " + catalogue +
                                  " » : l'accès est refusé. Le fichier précédent est intact."),
              std::string::npos)
        << refus.sortie();
    EXPECT_EQ(lireTout(catalogue), avant);
    ASSERT_EQ(chmod(dossier.c_str(), 0755), 0);
}

} // namespace
