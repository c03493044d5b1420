#include "tests/ui/ecran/EcranVirtuel.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kAttenteMs = 30000;

// Reads the display number Xvfb writes on `fd` once it accepts clients.
std::string lireAffichage(int fd)
{
    std::string numero;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, kAttenteMs) <= 0)
            return {};
        char c = 0;
        const ssize_t lu = read(fd, &c, 1);
        if (lu < 0 && errno == EINTR)
            continue;
        if (lu <= 0)
            return {};
        if (c == '\n')
            return numero.empty() ? std::string() : ":" + numero;
        if (c < '0' || c > '9')
            return {};
        numero += c;
    }
}

} // namespace

std::string CEcranVirtuel::demarrer(std::string& raison)
{
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0) {
        raison = "pas de tube pour attendre Xvfb";
        return {};
    }
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        // Xvfb goes with the tests, even when they crash.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        const int fd = dup(tube[1]); // without O_CLOEXEC: Xvfb writes its display on it
        const std::string numeroFd = std::to_string(fd);
        const int nul = open("/dev/null", O_WRONLY);
        if (nul >= 0) {
            dup2(nul, STDOUT_FILENO);
            dup2(nul, STDERR_FILENO);
        }
        const char* args[] = {"Xvfb", "-displayfd", numeroFd.c_str(), "-screen", "0", "1280x800x24",
                              "-nolisten", "tcp", nullptr};
        execvp("Xvfb", const_cast<char* const*>(args));
        _exit(127);
    }
    close(tube[1]);
    if (m_pid < 0) {
        close(tube[0]);
        raison = "Xvfb n'a pas pu être lancé";
        return {};
    }
    const std::string affichage = lireAffichage(tube[0]);
    close(tube[0]);
    if (affichage.empty())
        raison = "Xvfb n'a pas donné d'écran";
    return affichage;
}

CEcranVirtuel::~CEcranVirtuel()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}
