#include "platform/linux/OuvertureBureau.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>

extern char** environ;

namespace {

// The opener must not inherit what the program changed for itself: a blocked signal,
// or SIGPIPE ignored.
bool preparerAttributs(posix_spawnattr_t& attributs)
{
    sigset_t aucun, defauts;
    sigemptyset(&aucun);
    sigemptyset(&defauts);
    sigaddset(&defauts, SIGPIPE);
    return posix_spawnattr_setsigmask(&attributs, &aucun) == 0 &&
           posix_spawnattr_setsigdefault(&attributs, &defauts) == 0 &&
           posix_spawnattr_setflags(&attributs, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
}

void attendreEnArrierePlan(pid_t pid)
{
    try {
        std::thread([pid] {
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the opener still runs; it stays a zombie until we exit.
    }
}

} // namespace

bool ouvrirAvecLeBureau(const std::string& chemin)
{
    struct stat etat {};
    if (chemin.empty() || lstat(chemin.c_str(), &etat) != 0)
        return false;
    // A relative name beginning with '-' would be read as an option.
    const std::string argument = chemin.front() == '-' ? "./" + chemin : chemin;
    char programme[] = "xdg-open";
    char* arguments[] = {programme, const_cast<char*>(argument.c_str()), nullptr};

    posix_spawnattr_t attributs;
    if (posix_spawnattr_init(&attributs) != 0)
        return false;
    pid_t pid = 0;
    // glibc reports a failed exec (xdg-open missing) as the result of posix_spawnp.
    const int erreur = preparerAttributs(attributs)
                           ? posix_spawnp(&pid, programme, nullptr, &attributs, arguments, environ)
                           : EINVAL;
    posix_spawnattr_destroy(&attributs);
    if (erreur != 0)
        return false;
    attendreEnArrierePlan(pid);
    return true;
}

