#include "tests/fiabilite/CProcessusEnfant.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "tests/commun/CommandeExterne.h"

extern char** environ;

std::string cheminDuProgramme()
{
    char chemin[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", chemin, sizeof chemin - 1);
    return n > 0 ? std::string(chemin, static_cast<std::size_t>(n)) : std::string();
}

CProcessusEnfant::CProcessusEnfant(const std::vector<std::string>& argv, bool avecEntree)
{
    int tube[2];
    int versEnfant[2] = {-1, -1};
    if (::pipe2(tube, O_CLOEXEC) != 0 || (avecEntree && ::pipe2(versEnfant, O_CLOEXEC) != 0))
        return;
    std::vector<char*> arguments = argumentsSpawn(argv);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (avecEntree)
        posix_spawn_file_actions_adddup2(&actions, versEnfant[0], STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDERR_FILENO);
    pid_t pid = -1;
    if (::posix_spawn(&pid, arguments[0], &actions, nullptr, arguments.data(), environ) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    ::close(tube[1]);
    lecture_ = tube[0];
    if (avecEntree) {
        ::close(versEnfant[0]);
        entree_ = versEnfant[1];
    }
}

CProcessusEnfant::~CProcessusEnfant()
{
    if (entree_ >= 0)
        ::close(entree_);
    if (pid_ > 0) {
        tuer();
        attendre();
    }
    if (lecture_ >= 0)
        ::close(lecture_);
}

bool CProcessusEnfant::envoyer(const std::string& texte)
{
    return entree_ >= 0 && ::write(entree_, texte.data(), texte.size()) == static_cast<ssize_t>(texte.size());
}

bool CProcessusEnfant::lirePlus()
{
    char tampon[4096];
    for (;;) {
        const ssize_t n = ::read(lecture_, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sortie_.append(tampon, static_cast<std::size_t>(n));
        return true;
    }
}

bool CProcessusEnfant::attendreLigne(const std::string& motif)
{
    for (;;) {
        for (std::size_t fin = sortie_.find('\n', vu_); fin != std::string::npos; fin = sortie_.find('\n', vu_)) {
            std::string ligne = sortie_.substr(vu_, fin - vu_);
            vu_ = fin + 1;
            if (ligne.find(motif) != std::string::npos) {
                ligneTrouvee_ = std::move(ligne);
                return true;
            }
        }
        if (lecture_ < 0 || !lirePlus())
            return false;
    }
}

void CProcessusEnfant::tuer()
{
    if (pid_ > 0)
        ::kill(pid_, SIGKILL);
}

int CProcessusEnfant::attendre()
{
    while (lecture_ >= 0 && lirePlus()) {
    }
    if (pid_ <= 0)
        return -1;
    int statut = 0;
    while (::waitpid(pid_, &statut, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    if (WIFSIGNALED(statut))
        return 128 + WTERMSIG(statut);
    return WEXITSTATUS(statut);
}

std::map<std::string, std::string> lireRapport(const std::string& sortie)
{
    std::map<std::string, std::string> r;
    std::size_t debut = 0;
    while (debut < sortie.size()) {
        std::size_t fin = sortie.find('\n', debut);
        if (fin == std::string::npos)
            fin = sortie.size();
        const std::string ligne = sortie.substr(debut, fin - debut);
        const std::size_t egal = ligne.find('=');
        if (egal != std::string::npos)
            r[ligne.substr(0, egal)] = ligne.substr(egal + 1);
        debut = fin + 1;
    }
    return r;
}
