// Trees that loop: symbolic links back up the tree, and folders mounted inside
// themselves with bind mounts, in a mount namespace of the test's own.

#include "model/CRequete.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Lignes = std::vector<std::string>;

class ParcoursBoucles : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        for (const char* dossier : {"a", "a/b", "a/b/boucle", "c", "c/haut"})
            ASSERT_EQ(mkdir(d.sous(dossier).c_str(), 0755), 0);
        std::ofstream(d.sous("a/f1")) << "1";
        std::ofstream(d.sous("a/b/f2")) << "2";
    }

    // Captures the tree after mounting a/ on a/b/boucle and the root on c/haut: two
    // loops, one to a parent and one to the chosen folder itself.
    SResultatEnfant capturerAvecBoucles(bool dossiersVides)
    {
        return executerDansEnfant([&] {
            espaceMontagePrive();
            monter(d.sous("a"), d.sous("a/b/boucle"), nullptr, MS_BIND);
            monter(d.chemin(), d.sous("c/haut"), nullptr, MS_BIND);
            CCaptureReelle capture(d.chemin());
            capture.requete().inclureDossiersVides = dossiersVides;
            if (capture.capturer(GetParam()) != EResultatMiseAJour::Capturee)
                return std::string("capture échouée");
            return joindre(capture.inventaire());
        });
    }

    CDossierTemporaire d;
};

TEST_P(ParcoursBoucles, liensSymboliquesVersLesParentsCataloguesSansEtreSuivis)
{
    ASSERT_EQ(symlink("../..", d.sous("a/b/retour").c_str()), 0);
    ASSERT_EQ(symlink(".", d.sous("a/soi").c_str()), 0);
    ASSERT_EQ(symlink(d.chemin().c_str(), d.sous("c/racine").c_str()), 0);
    CCaptureReelle capture(d.chemin());
    capture.requete().inclureDossiersVides = true;
    ASSERT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
    EXPECT_EQ(capture.inventaire(), (Lignes{"d a", "d a/b", "d a/b/boucle", "d c", "d c/haut", "f a/b/f2",
                                           "f a/b/retour", "f a/f1", "f a/soi", "f c/racine"}));
}

TEST_P(ParcoursBoucles, dossierMonteDansLuiMemeEntreUneSeuleFois)
{
    // The folder met again below itself is not entered: an empty folder, kept only
    // when empty folders are.
    const SResultatEnfant r = capturerAvecBoucles(true);
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"d a", "d a/b", "d a/b/boucle", "d c", "d c/haut", "f a/b/f2", "f a/f1"}));
}

TEST_P(ParcoursBoucles, boucleSansLesDossiersVidesNeLaisseRien)
{
    const SResultatEnfant r = capturerAvecBoucles(false);
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"d a", "d a/b", "f a/b/f2", "f a/f1"}));
}

TEST_P(ParcoursBoucles, memeDossierMonteAilleursEstParcouruLaAussi)
{
    // Not a loop: a folder mounted beside itself is another mounted file system, and
    // is entered like one.
    ASSERT_EQ(mkdir(d.sous("vue").c_str(), 0755), 0);
    const SResultatEnfant r = executerDansEnfant([&] {
        espaceMontagePrive();
        monter(d.sous("a/b"), d.sous("vue"), nullptr, MS_BIND);
        CCaptureReelle capture(d.chemin());
        EXPECT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
        return joindre(capture.inventaire());
    });
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"d a", "d a/b", "d vue", "f a/b/f2", "f a/f1", "f vue/f2"}));
}

INSTANTIATE_TEST_SUITE_P(Fils, ParcoursBoucles, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });

} // namespace
