// The lock of a catalogue's writers is no reader's to hold: a user who may only read
// the catalogue cannot block a save by locking it, nor open its lock file; a lock file
// another user planted in a sticky folder is not trusted; a writer that gives up names
// the holder.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>

#include "storage/VerrouCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/UtilisateurOrdinaire.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

using namespace std::chrono_literals;

class VerrouEcrivains : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0 || !commeUtilisateurOrdinaire({}))
            GTEST_SKIP() << "il faut root et setpriv pour jouer un autre utilisateur";
        ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
        ASSERT_EQ(mkdir(dossier.c_str(), 0755), 0);
        ASSERT_EQ(CProcessusEnfant({NORVANEL_CLI, "new", catalogue}).attendre(), 0);
        ASSERT_EQ(chmod(catalogue.c_str(), 0644), 0);
    }
    // `flock -x FICHIER` holding it until killed, as the ordinary user or as us; true
    // once it holds it.
    bool tenir(std::unique_ptr<CProcessusEnfant>& enfant, const std::string& fichier, bool ordinaire)
    {
        // One process from the lock to the kill: -F (no fork), then the shell execs sleep.
        const std::vector<std::string> argv = {"/usr/bin/flock", "-F", "-x", fichier, "/bin/sh", "-c",
                                               "echo tenu; exec sleep 60"};
        enfant = std::make_unique<CProcessusEnfant>(ordinaire ? *commeUtilisateurOrdinaire(argv) : argv);
        return enfant->attendreLigne("tenu");
    }

    CDossierTemporaire d;
    const std::string dossier = d.sous("partage");
    const std::string catalogue = dossier + "/cd.kbt";
    const std::string fichierVerrou = CVerrouCatalogue::cheminFichierVerrou(catalogue);
};

TEST_F(VerrouEcrivains, UnLecteurNeBloquePasLesEcrivains)
{
    std::unique_ptr<CProcessusEnfant> lecteur;
    ASSERT_TRUE(tenir(lecteur, catalogue, true));
    CProcessusEnfant ajout({NORVANEL_CLI, "mkbinder", catalogue, "Nouveau"});
    EXPECT_EQ(ajout.attendre(), 0) << ajout.sortie();
    // The lock file is gone with its holder, and while held it is the writers' alone.
    EXPECT_EQ(entreesDe(dossier), std::vector<std::string>{"cd.kbt"});
    CVerrouCatalogue verrou;
    ASSERT_TRUE(verrou.prendre(catalogue, 0ms));
    struct stat st {};
    ASSERT_EQ(stat(fichierVerrou.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    CProcessusEnfant intrus(*commeUtilisateurOrdinaire({"/usr/bin/flock", "-n", "-x", fichierVerrou, "true"}));
    EXPECT_NE(intrus.attendre(), 0);
}

// Given up: the holder is named, whether it holds the lock file or, where a lock file
// another user planted in a sticky folder leaves the catalogue itself locked, the
// catalogue.
TEST_F(VerrouEcrivains, LAbandonNommeLeDetenteur)
{
    for (const bool plante : {false, true}) {
        std::unique_ptr<CProcessusEnfant> intrus, detenteur;
        if (plante) {
            ASSERT_EQ(chmod(dossier.c_str(), 01777), 0);
            ASSERT_TRUE(tenir(intrus, fichierVerrou, true));
        }
        ASSERT_TRUE(tenir(detenteur, plante ? catalogue : fichierVerrou, false));
        CVerrouCatalogue verrou;
        const auto pris = verrou.prendre(catalogue, 50ms);
        ASSERT_FALSE(pris);
        EXPECT_NE(pris.raison().find("(« sleep », processus "), std::string::npos) << pris.raison();
        EXPECT_NE(pris.raison().find("de l'utilisateur root ; attente de 1 s dépassée)"), std::string::npos) << pris.raison();
        detenteur.reset();
        EXPECT_TRUE(verrou.prendre(catalogue, 5s));
    }
}

// In /tmp-like folders a lock file the ordinary user made ahead and holds is not ours.
TEST_F(VerrouEcrivains, UnFichierDeVerrouPlanteNEstPasCru)
{
    ASSERT_EQ(chmod(dossier.c_str(), 01777), 0);
    std::unique_ptr<CProcessusEnfant> intrus;
    ASSERT_TRUE(tenir(intrus, fichierVerrou, true));
    CProcessusEnfant ajout({NORVANEL_CLI, "mkbinder", catalogue, "Nouveau"});
    EXPECT_EQ(ajout.attendre(), 0) << ajout.sortie();
}

} // namespace
