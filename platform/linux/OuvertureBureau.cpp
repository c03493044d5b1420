#include "platform/linux/OuvertureBureau.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>
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

// Whether the opener ended with success; false too when it cannot be waited for (not
// a success we can vouch for).
bool attendreFinBloquante(pid_t pid)
{
    int statut = 0;
    pid_t fini = -1;
    while ((fini = waitpid(pid, &statut, 0)) < 0 && errno == EINTR) {
    }
    return fini == pid && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
}

// Whether the opener ended with success, or nullopt when it is still running after
// `delai`.
std::optional<bool> attendreFin(pid_t pid, std::chrono::milliseconds delai)
{
    const auto limite = std::chrono::steady_clock::now() + delai;
    auto pause = std::chrono::milliseconds(2);
    for (;;) {
        int statut = 0;
        const pid_t fini = waitpid(pid, &statut, WNOHANG);
        if (fini == pid)
            return WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
        if (fini < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= limite)
            return std::nullopt;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

// Waits for the opener on the calling thread; one still running after `delai` is
// left to a background thread.
void attendreIci(pid_t pid, const FonctionEchecOuvreur& echec, std::chrono::milliseconds delai)
{
    const std::optional<bool> reussi = attendreFin(pid, delai);
    if (!reussi) {
        try {
            std::thread([pid] { attendreFinBloquante(pid); }).detach();
        } catch (const std::system_error&) {
            // No thread to spare: the opener still runs; it stays a zombie until we exit.
        }
        return;
    }
    if (!*reussi && echec)
        echec();
}

// xdg-open started on `chemin`, or nullopt when the path is refused or nothing started.
std::optional<pid_t> lancerOuvreur(const std::string& chemin)
{
    // An absolute path cannot be taken for an option, and a NUL byte would cut it short.
    struct stat etat {};
    if (chemin.empty() || chemin.front() != '/' || chemin.find('\0') != std::string::npos ||
        lstat(chemin.c_str(), &etat) != 0)
        return std::nullopt;
    char programme[] = "xdg-open";
    char* arguments[] = {programme, const_cast<char*>(chemin.c_str()), nullptr};

    posix_spawnattr_t attributs;
    if (posix_spawnattr_init(&attributs) != 0)
        return std::nullopt;
    pid_t pid = 0;
    // glibc reports a failed exec (xdg-open missing) as the result of posix_spawnp.
    const int erreur = preparerAttributs(attributs)
                           ? posix_spawnp(&pid, programme, nullptr, &attributs, arguments, environ)
                           : EINVAL;
    posix_spawnattr_destroy(&attributs);
    if (erreur != 0)
        return std::nullopt;
    return pid;
}

} // namespace

bool lancerAvecLeBureau(const std::string& chemin, FonctionEchecOuvreur echec, std::chrono::milliseconds delai)
{
    const auto pid = lancerOuvreur(chemin);
    if (!pid)
        return false;
    const auto limite = std::chrono::steady_clock::now() + delai;
    try {
        std::thread([pid = *pid, limite, echec] {
            if (!attendreFinBloquante(pid) && std::chrono::steady_clock::now() < limite && echec)
                echec();
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: waited for here, as the command line does.
        attendreIci(*pid, echec, delai);
    }
    return true;
}

bool ouvrirAvecLeBureau(const std::string& chemin, const FonctionEchecOuvreur& echec, std::chrono::milliseconds delai)
{
    const auto pid = lancerOuvreur(chemin);
    if (!pid)
        return false;
    attendreIci(*pid, echec, delai);
    return true;
}
