#include "tests/linux/ScenarioEnfant.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSortieNonPermise = 77;

int g_sortieEnfant = -1; // the write end of the pipe, in the child

void ecrireTout(int fd, const std::string& texte)
{
    std::size_t fait = 0;
    while (fait < texte.size()) {
        const ssize_t n = write(fd, texte.data() + fait, texte.size() - fait);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        fait += static_cast<std::size_t>(n);
    }
}

[[noreturn]] void terminerEnfant(int code, const std::string& texte)
{
    ecrireTout(g_sortieEnfant, texte);
    _exit(code);
}

// Reads the child's text until it closes the pipe or the time is up; false then.
bool lireJusquALaFin(int fd, std::chrono::steady_clock::time_point limite, std::string& texte)
{
    char tampon[4096];
    for (;;) {
        using std::chrono::milliseconds;
        const auto reste = std::chrono::duration_cast<milliseconds>(limite - std::chrono::steady_clock::now());
        if (reste.count() <= 0)
            return false;
        pollfd attente{fd, POLLIN, 0};
        const int pret = poll(&attente, 1, static_cast<int>(reste.count()));
        if (pret < 0 && errno == EINTR)
            continue;
        if (pret <= 0)
            return false;
        const ssize_t n = read(fd, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return true;
        texte.append(tampon, static_cast<std::size_t>(n));
    }
}

} // namespace

SResultatEnfant executerDansEnfant(const std::function<std::string()>& travail, std::chrono::seconds delai)
{
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0)
        return {EFinEnfant::Echouee, "pipe2 a échoué"};
    const pid_t pid = fork();
    if (pid < 0) {
        close(tube[0]);
        close(tube[1]);
        return {EFinEnfant::Echouee, "fork a échoué"};
    }
    if (pid == 0) {
        close(tube[0]);
        g_sortieEnfant = tube[1];
        try {
            terminerEnfant(0, travail());
        } catch (const std::exception& e) {
            terminerEnfant(1, std::string("exception : ") + e.what());
        } catch (...) {
            terminerEnfant(1, "exception inconnue");
        }
    }
    close(tube[1]);
    SResultatEnfant resultat;
    const bool fini = lireJusquALaFin(tube[0], std::chrono::steady_clock::now() + delai, resultat.sortie);
    close(tube[0]);
    if (!fini)
        kill(pid, SIGKILL);
    int statut = 0;
    while (waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
    }
    if (!fini)
        resultat.fin = EFinEnfant::Bloquee;
    else if (WIFEXITED(statut) && WEXITSTATUS(statut) == 0)
        resultat.fin = EFinEnfant::Terminee;
    else if (WIFEXITED(statut) && WEXITSTATUS(statut) == kSortieNonPermise)
        resultat.fin = EFinEnfant::NonPermise;
    else
        resultat.sortie += " (statut " + std::to_string(statut) + ")";
    return resultat;
}

void scenarioNonPermis(const std::string& raison) { terminerEnfant(kSortieNonPermise, raison); }

void espaceMontagePrive()
{
    if (unshare(CLONE_NEWNS) != 0)
        scenarioNonPermis(std::string("unshare(CLONE_NEWNS) refusé : ") + std::strerror(errno));
    monter("none", "/", nullptr, MS_REC | MS_PRIVATE);
}

void monter(const std::string& source, const std::string& cible, const char* type, unsigned long drapeaux,
            const char* options)
{
    if (mount(source.c_str(), cible.c_str(), type, drapeaux, options) != 0)
        scenarioNonPermis("mount " + source + " sur " + cible + " refusé : " + std::strerror(errno));
}

void devenirPersonne()
{
    if (geteuid() != 0)
        return; // permissions apply already
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
        scenarioNonPermis(std::string("impossible de devenir l'utilisateur 65534 : ") + std::strerror(errno));
}

std::string joindre(const std::vector<std::string>& textes)
{
    std::string texte;
    for (const std::string& t : textes) {
        texte += t;
        texte += '\0';
    }
    return texte;
}

std::vector<std::string> decouper(const std::string& texte)
{
    std::vector<std::string> textes;
    std::size_t debut = 0;
    for (std::size_t fin; (fin = texte.find('\0', debut)) != std::string::npos; debut = fin + 1)
        textes.push_back(texte.substr(debut, fin - debut));
    return textes;
}
