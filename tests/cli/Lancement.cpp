#include "tests/cli/Lancement.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

extern char** environ;

namespace {

// Every program run here keeps its cache in a folder of this test's own, gone at the
// end: never the user's, and no test sees what another left.
class CCacheDesTests : public ::testing::Environment {
public:
    void SetUp() override
    {
        char modele[] = "/tmp/norvanel-cache-XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        dossier_ = modele;
        setenv("XDG_CACHE_HOME", dossier_.c_str(), 1);
    }
    void TearDown() override
    {
        std::error_code ignore;
        std::filesystem::remove_all(dossier_, ignore);
    }

private:
    std::string dossier_;
};

[[maybe_unused]] const ::testing::Environment* const cacheDesTests =
    ::testing::AddGlobalTestEnvironment(new CCacheDesTests);

} // namespace

std::string dossierCacheDesTests()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    return std::string(xdg ? xdg : "") + "/norvanel";
}

std::string lireFichier(const std::string& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

namespace {

// Runs `programme` with stdout on `fdSortie`, in `envp`; stderr is read back.
SResultat executer(const std::string& programme, const std::vector<std::string>& arguments, int fdSortie,
                   char* const* envp)
{
    char erreurs[] = "/tmp/norvanel-cli-erreurs-XXXXXX";
    const int fdErreurs = mkstemp(erreurs);

    std::vector<std::string> mots = {programme};
    mots.insert(mots.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& m : mots)
        argv.push_back(m.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fdSortie, 1);
    posix_spawn_file_actions_adddup2(&actions, fdErreurs, 2);
    SResultat r;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp) == 0) {
        // A command that hangs (a blocking open, a lock never given back) is killed,
        // so the test fails instead of hanging with it.
        const auto limite = std::chrono::steady_clock::now() + kDelaiMaximal;
        int etat = 0;
        while (waitpid(pid, &etat, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= limite) {
                kill(pid, SIGKILL);
                waitpid(pid, &etat, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        r.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fdErreurs);
    r.erreurs = lireFichier(erreurs);
    unlink(erreurs);
    return r;
}

// Runs `programme` with stdout read back from a temporary file.
SResultat lancerEtLire(const std::string& programme, const std::vector<std::string>& arguments, char* const* envp)
{
    char sortie[] = "/tmp/norvanel-cli-sortie-XXXXXX";
    const int fdSortie = mkstemp(sortie);
    SResultat r = executer(programme, arguments, fdSortie, envp);
    close(fdSortie);
    r.sortie = lireFichier(sortie);
    unlink(sortie);
    return r;
}

} // namespace

SResultat lancer(const std::vector<std::string>& arguments)
{
    return lancerEtLire(NORVANEL_CLI, arguments, environ);
}

SResultat lancerProgramme(const std::string& programme, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environnement)
{
    std::vector<std::string> variables = environnement;
    std::vector<char*> envp;
    for (std::string& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    return lancerEtLire(programme, arguments, envp.data());
}

SResultat lancerVers(const std::vector<std::string>& arguments, const std::string& sortie)
{
    if (!sortie.empty()) {
        const int fd = open(sortie.c_str(), O_WRONLY | O_CLOEXEC);
        SResultat r = executer(NORVANEL_CLI, arguments, fd, environ);
        close(fd);
        return r;
    }
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0)
        return {};
    close(tube[0]);
    SResultat r = executer(NORVANEL_CLI, arguments, tube[1], environ);
    close(tube[1]);
    return r;
}
