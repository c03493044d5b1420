// Both programs' command lines where there is no display at all (a terminal over ssh, a
// cron job): --help and --version answer, a misuse is told, a start that needs windows
// says in French why it cannot, and --print prints through the offscreen platform. Never
// Qt's English abort.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "platform/Version.h"
#include "tests/cli/Lancement.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

class SansAffichage : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string disque = dossier.sous("disque");
        mkdir(disque.c_str(), 0755);
        std::ofstream(disque + "/photo.jpg") << "x";
        ASSERT_EQ(lancer({"new", catalogue}).code, 0);
        ASSERT_EQ(lancer({"add", catalogue, disque, "--quiet"}).code, 0);
    }

    // No display, no platform named, settings in the test's folder, and a print server
    // that is not there: no printer, wherever the test runs.
    std::vector<std::string> environnement(const std::string& display = {}) const
    {
        std::vector<std::string> v = {"PATH=/usr/bin:/bin", "HOME=" + racine, "XDG_CONFIG_HOME=" + racine + "/config",
                                      "CUPS_SERVER=" + racine + "/aucun-serveur-cups.sock"};
        if (!display.empty())
            v.push_back("DISPLAY=" + display);
        return v;
    }

    CDossierTemporaire dossier;
    const std::string racine = dossier.chemin();
    const std::string catalogue = dossier.sous("cat.kbt");
};

// What Qt writes when it gives up, or would have written: none of it may reach the user.
void sansMessageAnglaisDeQt(const SResultat& r)
{
    for (const char* anglais : {"qt.qpa", "Qt platform plugin", "This application", "QStandardPaths", "Aborted"})
        EXPECT_EQ(r.erreurs.find(anglais), std::string::npos) << r.erreurs;
}

TEST_F(SansAffichage, ChaqueProgrammeRepondOuDitPourquoiEnFrancais)
{
    const std::string norvanel = NORVANEL_PROGRAMME, cli = NORVANEL_CLI;
    const std::string version = std::string("version ") + kVersionNorvanel + "\n";
    // A display name that no X server can be behind: not even a display number.
    const std::string mort = "aucun-affichage";
    struct SCas {
        std::string programme;
        std::vector<std::string> arguments;
        std::string display;
        int code;
        std::string sortie;    // found on stdout ("" : stdout empty)
        std::string erreurs;   // found on stderr ("" : stderr empty)
    };
    const SCas cas[] = {
        {norvanel, {"--help"}, "", 0, "Usage : norvanel [FICHIER.kbt...]", ""},
        {norvanel, {"-h"}, "", 0, "--print imprime la liste", ""},
        {norvanel, {"--version"}, "", 0, "Norvanel " + version, ""},
        {norvanel, {"-v"}, "", 0, version, ""},
        // Qt's own options are left to Qt, not refused.
        {norvanel, {"-platform", "offscreen", "-style=fusion", "--version"}, "", 0, version, ""},
        {cli, {"--version"}, "", 0, version, ""},
        {cli, {"-v"}, "", 0, version, ""},
        {cli, {"--help"}, "", 0, "norvanel-cli --help | --version", ""},
        {norvanel, {"--vite"}, "", 1, "", "Option inconnue : --vite\nUsage : norvanel"},
        {norvanel, {"--print"}, "", 1, "", "--print attend un fichier."},
        {cli, {"--vite"}, "", 1, "", "commande inconnue : --vite"},
        // Windows to open and nowhere to show them.
        {norvanel, {}, "", 3, "", "aucun affichage n'est disponible"},
        {norvanel, {"cat.kbt"}, "", 3, "", "aucun affichage n'est disponible"},
        {norvanel, {}, mort, 3, "", "l'affichage n'a pas pu être ouvert (DISPLAY « aucun-affichage »)"},
        // A print needs no screen; with no printer it says so, and a file it cannot
        // read it names, on the standard error: nobody could answer a message box.
        {norvanel, {"--print", "cat.kbt"}, "", 1, "", "Aucune imprimante n'est installée"},
        {norvanel, {"--print", "cat.kbt"}, mort, 1, "", "Aucune imprimante n'est installée"},
        {norvanel, {"--print", "absent.kbt"}, "", 2, "", "Impossible d'ouvrir le catalogue"},
    };
    for (const SCas& c : cas) {
        std::vector<std::string> arguments = c.arguments;
        for (std::string& a : arguments)
            if (a.ends_with(".kbt"))
                a = racine + "/" + a;
        const SResultat r = lancerProgramme(c.programme, arguments, environnement(c.display));
        const std::string quoi = c.programme + (c.arguments.empty() ? "" : " " + c.arguments.front()) +
                                 (c.display.empty() ? "" : " DISPLAY=" + c.display);
        EXPECT_EQ(r.code, c.code) << quoi << "\n" << r.erreurs;
        if (c.sortie.empty())
            EXPECT_EQ(r.sortie, "") << quoi;
        else
            EXPECT_NE(r.sortie.find(c.sortie), std::string::npos) << quoi << "\n" << r.sortie;
        if (c.erreurs.empty())
            EXPECT_EQ(r.erreurs, "") << quoi;
        else
            EXPECT_NE(r.erreurs.find(c.erreurs), std::string::npos) << quoi << "\n" << r.erreurs;
        sansMessageAnglaisDeQt(r);
    }
}

TEST_F(SansAffichage, LaVersionEstLaMemePourLesDeuxProgrammes)
{
    const SResultat fenetre = lancerProgramme(NORVANEL_PROGRAMME, {"--version"}, environnement());
    const SResultat cli = lancerProgramme(NORVANEL_CLI, {"--version"}, environnement());
    ASSERT_EQ(fenetre.code, 0);
    ASSERT_EQ(cli.code, 0);
    const auto numero = [](const std::string& s) { return s.substr(s.rfind(' ') + 1); };
    EXPECT_EQ(numero(fenetre.sortie), numero(cli.sortie));
    EXPECT_EQ(numero(cli.sortie), std::string(kVersionNorvanel) + "\n");
}

} // namespace
