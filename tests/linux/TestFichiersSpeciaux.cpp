// FIFOs, sockets and device files: catalogued from their metadata, never opened. The
// proof is the system's own record of the capture's open calls, taken by strace.

#include "model/CRequete.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/CommandeExterne.h"
#include "tests/linux/ScenarioEnfant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Lignes = std::vector<std::string>;

const std::string kSeparateur = "-- appels open --";

std::string lire(const std::string& chemin)
{
    std::ifstream f(chemin);
    std::ostringstream texte;
    texte << f.rdbuf();
    return texte.str();
}

// Opens a path nobody has, so that the call shows in the record; true once it does.
bool marquerEtAttendre(const std::string& journal, const std::string& marque)
{
    const std::string chemin = "/nonexistent-norvanel/" + marque;
    for (int i = 0; i < 500; ++i) {
        close(open(chemin.c_str(), O_RDONLY | O_CLOEXEC));
        if (lire(journal).find(marque) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// In the child: strace attached to it, recording every open call into `journal`.
void suivreLesOuvertures(const std::string& strace, const std::string& journal)
{
    prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY, 0, 0, 0); // where Yama restricts tracing
    const std::string pid = std::to_string(getpid());
    std::vector<std::string> argv = {strace, "-f", "-qq", "-s", "4096", "-e", "trace=open,openat,openat2,creat",
                                     "-o", journal, "-p", pid};
    std::vector<char*> arguments;
    for (std::string& a : argv)
        arguments.push_back(a.data());
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t traceur = 0;
    const int erreur = posix_spawn(&traceur, strace.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (erreur != 0)
        scenarioNonPermis("strace n'a pas pu être lancé");
    if (!marquerEtAttendre(journal, "debut-du-suivi")) {
        kill(traceur, SIGKILL);
        scenarioNonPermis("strace ne peut pas suivre ce processus");
    }
}

class FichiersSpeciaux : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        const auto strace = trouverProgramme("strace");
        if (!strace)
            GTEST_SKIP() << "strace n'est pas installé";
        m_strace = *strace;
        ASSERT_EQ(mkdir(d.sous("dossier").c_str(), 0755), 0);
        ASSERT_EQ(mkfifo(d.sous("tube").c_str(), 0644), 0);
        ASSERT_EQ(mkfifo(d.sous("dossier/tube2").c_str(), 0644), 0);
        creerPrise(d.sous("prise"));
        if (mknod(d.sous("nul").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
            mknod(d.sous("bloc").c_str(), S_IFBLK | 0600, makedev(7, 0)) != 0)
            GTEST_SKIP() << "mknod refusé : il faut être root";
    }

    void creerPrise(const std::string& chemin)
    {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        ASSERT_LT(chemin.size(), sizeof adresse.sun_path);
        chemin.copy(adresse.sun_path, chemin.size());
        EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse), 0);
        close(fd); // the socket file stays, with nobody listening
    }

    CDossierTemporaire d;
    CDossierTemporaire m_traces;
    std::string m_strace;
};

TEST_P(FichiersSpeciaux, cataloguesSansEtreJamaisOuverts)
{
    const std::string journal = m_traces.sous("open.log");
    const SResultatEnfant r = executerDansEnfant([&] {
        suivreLesOuvertures(m_strace, journal);
        CCaptureReelle capture(d.chemin());
        EXPECT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
        if (!marquerEtAttendre(journal, "fin-du-suivi"))
            return std::string("le suivi s'est arrêté en route");
        Lignes lignes = capture.inventaire();
        lignes.push_back(kSeparateur);
        std::istringstream appels(lire(journal));
        for (std::string ligne; std::getline(appels, ligne);)
            lignes.push_back(ligne);
        return joindre(lignes);
    });
    VERIFIER_ENFANT(r);
    const Lignes lignes = decouper(r.sortie);
    const auto separateur = std::find(lignes.begin(), lignes.end(), kSeparateur);
    ASSERT_NE(separateur, lignes.end());
    EXPECT_EQ(Lignes(lignes.begin(), separateur),
              (Lignes{"d dossier", "f bloc", "f dossier/tube2", "f nul", "f prise", "f tube"}));

    const Lignes appels(separateur + 1, lignes.end());
    // The record did see the walk: the sub-folder was opened from its parent, by name.
    EXPECT_TRUE(std::any_of(appels.begin(), appels.end(),
                            [](const std::string& a) { return a.find("\"dossier\"") != std::string::npos; }));
    for (const std::string& appel : appels)
        for (const char* nom : {"tube", "tube2", "prise", "nul", "bloc"})
            EXPECT_EQ(appel.find('"' + std::string(nom) + '"'), std::string::npos) << appel;
    for (const std::string& appel : appels)
        EXPECT_EQ(appel.find(d.chemin() + "/"), std::string::npos) << appel;
}

INSTANTIATE_TEST_SUITE_P(Fils, FichiersSpeciaux, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });

} // namespace
