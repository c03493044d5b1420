// norvanel-cli against what could hang it or make it destroy a catalogue: a pipe or
// a device where a catalogue is expected, a PDF asked over the catalogue itself, a
// catalogue another program holds locked.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "storage/VerrouCatalogue.h"
#include "tests/cli/Lancement.h"

namespace {

class CliProtege : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modele[] = "/tmp/norvanel-protege-XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        racine = modele;
        catalogue = racine + "/cat.kbt";
        ASSERT_EQ(lancer({"new", catalogue}).code, 0);
        ASSERT_EQ(lancer({"add", catalogue, "/usr/share/common-licenses", "--quiet"}).code, 0);
        avant = lireFichier(catalogue);
    }
    void TearDown() override { std::system(("rm -rf '" + racine + "'").c_str()); }

    std::string racine, catalogue, avant;
};

// Every command refuses at once, without opening the pipe for good or the device at all.
TEST_F(CliProtege, TubeOuPeripheriqueAuLieuDUnCatalogue)
{
    const std::string tube = racine + "/tube.kbt";
    ASSERT_EQ(mkfifo(tube.c_str(), 0644), 0);
    for (const std::string& chemin : {tube, std::string("/dev/zero")}) {
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"tree", chemin}, {"info", chemin}, {"dump", chemin}, {"search", chemin},
                 {"mkbinder", chemin}, {"update", chemin}, {"rm", chemin, "--binder", "Général"},
                 {"print", chemin, "--pdf", racine + "/x.pdf"}}) {
            SCOPED_TRACE(args[0] + " " + chemin);
            const auto debut = std::chrono::steady_clock::now();
            const SResultat r = lancer(args);
            EXPECT_EQ(r.code, 2) << r.erreurs;
            EXPECT_LT(std::chrono::steady_clock::now() - debut, kDelaiMaximal);
            EXPECT_NE(r.erreurs.find("« " + chemin + " » : ce n'est pas un fichier ordinaire."), std::string::npos)
                << r.erreurs;
        }
    }
    struct stat st {};
    ASSERT_EQ(lstat(tube.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(lancer({"new", tube}).code, 2);
}

// The PDF must never take the catalogue's place, whatever name leads to it.
TEST_F(CliProtege, LePdfNeRemplacePasLeCatalogue)
{
    const std::string lien = racine + "/lien.pdf";
    ASSERT_EQ(symlink("cat.kbt", lien.c_str()), 0);
    const std::string detour = racine + "/../" + racine.substr(racine.rfind('/') + 1) + "/cat.kbt";
    for (const std::string& sortie : {catalogue, lien, detour}) {
        SCOPED_TRACE(sortie);
        const SResultat r = lancer({"print", catalogue, "--pdf", sortie});
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.erreurs.find("c'est le catalogue lui-même"), std::string::npos) << r.erreurs;
        EXPECT_EQ(lireFichier(catalogue), avant);
    }
    // Through the safe write: an existing PDF's other name follows the new content.
    const std::string pdf = racine + "/sortie.pdf", autreNom = racine + "/copie.pdf";
    {
        std::ofstream(pdf) << "ancien";
    }
    ASSERT_EQ(link(pdf.c_str(), autreNom.c_str()), 0);
    ASSERT_EQ(lancer({"print", catalogue, "--pdf", pdf}).code, 0);
    EXPECT_EQ(lireFichier(autreNom).rfind("%PDF", 0), 0u);
}

// A catalogue another program is changing: the change waits a few seconds, then gives
// up and says why; reading it is never held back.
TEST_F(CliProtege, CatalogueVerrouilleParUnAutreProgramme)
{
    auto verrou = std::make_unique<CVerrouCatalogue>();
    ASSERT_TRUE(verrou->prendre(catalogue));
    EXPECT_EQ(lancer({"tree", catalogue}).code, 0);
    const SResultat r = lancer({"mkbinder", catalogue, "Attente"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.erreurs.find("Impossible d'ouvrir le catalogue « " + catalogue +
                             " » : un autre programme est en train de le modifier"),
              std::string::npos)
        << r.erreurs;
    EXPECT_EQ(lireFichier(catalogue), avant);
    verrou.reset();
    EXPECT_EQ(lancer({"mkbinder", catalogue, "Attente"}).code, 0);
}

} // namespace
