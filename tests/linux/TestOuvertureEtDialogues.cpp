// Opening with the desktop, and the dialogs of the command-line tool.

#include "cli/UtilisateurTerminal.h"
#include "platform/linux/CPlateformeLinux.h"
#include "platform/linux/OuvertureBureau.h"
#include "tests/commun/CitationShell.h"
#include "tests/commun/CDossierTemporaire.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Puts a stand-in "xdg-open" first in PATH for one test: it writes its arguments, one
// per line, into a file, so the test sees exactly what it was given.
class FauxXdgOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* path = std::getenv("PATH");
        m_ancienPath = path != nullptr ? path : "";
        m_sortie = m_outils.sous("arguments");
        const std::string script = m_outils.sous("xdg-open");
        std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                              << citerPourShell(m_sortie + ".tmp") << " && mv " << citerPourShell(m_sortie + ".tmp")
                              << ' ' << citerPourShell(m_sortie) << '\n';
        ASSERT_EQ(chmod(script.c_str(), 0755), 0);
        setenv("PATH", (m_outils.chemin() + ":" + m_ancienPath).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", m_ancienPath.c_str(), 1); }

    // What the stand-in received; empty if it did not run within a few seconds.
    std::string argumentsRecus() const
    {
        for (int i = 0; i < 500; ++i) {
            std::ifstream f(m_sortie);
            if (f) {
                std::ostringstream texte;
                texte << f.rdbuf();
                return texte.str();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }

    CDossierTemporaire m_outils;
    CDossierTemporaire m_donnees;
    CPlateformeLinux m_plateforme;
    std::string m_sortie;

private:
    std::string m_ancienPath;
};

// Children of this process left as zombies.
int zombiesEnfants()
{
    int n = 0;
    DIR* proc = opendir("/proc");
    while (const dirent* d = proc != nullptr ? readdir(proc) : nullptr) {
        std::ifstream stat(std::string("/proc/") + d->d_name + "/stat");
        std::string ligne;
        if (!std::getline(stat, ligne) || ligne.rfind(')') == std::string::npos)
            continue;
        std::istringstream apres(ligne.substr(ligne.rfind(')') + 1));
        char etat = 0;
        pid_t parent = 0;
        apres >> etat >> parent;
        if (parent == getpid() && etat == 'Z')
            ++n;
    }
    if (proc != nullptr)
        closedir(proc);
    return n;
}

} // namespace

TEST_F(FauxXdgOpen, ouvreLeCheminExactSansShell)
{
    const std::string fichier = m_donnees.sous("a b;$(touch pirate)'\"");
    std::ofstream(fichier) << "x";
    EXPECT_TRUE(m_plateforme.ouvrir(fichier, {}));
    EXPECT_EQ(argumentsRecus(), fichier + "\n");
    EXPECT_NE(access(m_donnees.sous("pirate").c_str(), F_OK), 0);
}

TEST_F(FauxXdgOpen, cheminAbsentNeLancePasLOuvreur)
{
    for (const std::string& chemin : {m_donnees.sous("absent"), std::string("C:\\Photos\\a.jpg"), std::string()}) {
        EXPECT_FALSE(m_plateforme.ouvrir(chemin, {})) << chemin;
        EXPECT_FALSE(lancerAvecLeBureau(chemin, {})) << chemin;
    }
}

TEST_F(FauxXdgOpen, lOuvreurTermineNeResteNiZombie)
{
    // Waited for, and left to the thread that collects it.
    EXPECT_TRUE(m_plateforme.ouvrir(m_donnees.chemin(), {}));
    ASSERT_EQ(argumentsRecus(), m_donnees.chemin() + "\n");
    std::remove(m_sortie.c_str());
    EXPECT_TRUE(lancerAvecLeBureau(m_donnees.chemin(), {}));
    ASSERT_EQ(argumentsRecus(), m_donnees.chemin() + "\n");
    int zombies = 1;
    for (int i = 0; i < 500 && zombies > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        zombies = zombiesEnfants();
    }
    EXPECT_EQ(zombies, 0);
}

TEST(Ouverture, sansXdgOpenInstalleEchoue)
{
    CDossierTemporaire vide;
    const char* path = std::getenv("PATH");
    const std::string ancien = path != nullptr ? path : "";
    setenv("PATH", vide.chemin().c_str(), 1);
    const bool ouvert = CPlateformeLinux().ouvrir(vide.chemin(), {});
    const bool lance = lancerAvecLeBureau(vide.chemin(), {});
    setenv("PATH", ancien.c_str(), 1);
    EXPECT_FALSE(ouvert);
    EXPECT_FALSE(lance);
}

TEST(DialoguesSansFenetre, messageSurLaSortieDErreur)
{
    CUtilisateurTerminal u;
    testing::internal::CaptureStderr();
    const EReponse ok = u.message("Date invalide", EBoutons::Ok, EIcone::Exclamation);
    const EReponse question = u.message("Insérez le disque 'X'.\nNuméro de série: 1-2", EBoutons::OkAnnuler,
                                        EIcone::Exclamation);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Norvanel: Date invalide\nNorvanel: Insérez le disque 'X'.\nNuméro de série: 1-2\n");
    EXPECT_EQ(ok, EReponse::Ok);
    EXPECT_EQ(question, EReponse::Annuler);
}
