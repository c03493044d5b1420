#include "bench/MontageMiroir.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr long kFuse = 0x65735546;

// Mounted (and answering) over the point; a daemon gone leaves ENOTCONN behind.
enum class EEtatPoint { Libre, Monte, Abandonne };

EEtatPoint etatPoint(const std::string& point)
{
    struct statfs systeme {};
    if (statfs(point.c_str(), &systeme) != 0)
        return errno == ENOTCONN ? EEtatPoint::Abandonne : EEtatPoint::Libre;
    return systeme.f_type == kFuse ? EEtatPoint::Monte : EEtatPoint::Libre;
}

// Whether the mount over `point` is one of ours (fsname miroir_lent, see miroir_lent.cpp),
// from /proc/self/mounts, where blanks and backslashes of paths are octal escapes.
bool monteParNous(const std::string& point)
{
    const std::size_t barre = point.find_last_of('/');
    char parent[PATH_MAX];
    if (barre == std::string::npos || realpath(barre == 0 ? "/" : point.substr(0, barre).c_str(), parent) == nullptr)
        return false;
    std::string attendu = " ";
    for (const char c : std::string(parent) + (parent[1] ? "/" : "") + point.substr(barre + 1)) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            char echappe[8];
            std::snprintf(echappe, sizeof echappe, "\\%03o", unsigned(static_cast<unsigned char>(c)));
            attendu += echappe;
        } else {
            attendu += c;
        }
    }
    attendu += ' ';
    std::ifstream montages("/proc/self/mounts");
    for (std::string ligne; std::getline(montages, ligne);)
        if (ligne.rfind("miroir_lent ", 0) == 0 && ligne.compare(11, attendu.size(), attendu) == 0)
            return true;
    return false;
}

// Lazy unmount: the mount goes even while something still has it open.
void detacher(const std::string& point)
{
    if (umount2(point.c_str(), MNT_DETACH) == 0 || errno != EPERM)
        return;
    const pid_t pid = fork();
    if (pid == 0) {
        const int nul = open("/dev/null", O_WRONLY);
        dup2(nul, STDOUT_FILENO);
        dup2(nul, STDERR_FILENO);
        execlp("fusermount3", "fusermount3", "-u", "-z", point.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid > 0)
        waitpid(pid, nullptr, 0);
}

bool attendreFin(pid_t pid, std::chrono::milliseconds delai)
{
    const auto fin = std::chrono::steady_clock::now() + delai;
    do {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < fin);
    return false;
}

std::string lireTout(int fd)
{
    std::string texte;
    char tampon[512];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, tampon, sizeof tampon)) > 0;)
        texte.append(tampon, std::size_t(n));
    while (!texte.empty() && (texte.back() == '\n' || texte.back() == ' '))
        texte.pop_back();
    return texte;
}

} // namespace

CMontageMiroir::CMontageMiroir(const std::string& programme, const std::string& source,
                               const std::string& pointDeMontage, unsigned latenceUs)
    : m_pointDeMontage(pointDeMontage)
{
    if (programme.empty()) {
        m_erreur = "miroir_lent n'a pas été construit (libfuse3 introuvable à la configuration)";
        return;
    }
    if (access("/dev/fuse", R_OK | W_OK) != 0) {
        m_erreur = std::string("montage FUSE impossible : /dev/fuse inaccessible (") + std::strerror(errno) + ")";
        return;
    }
    if (mkdir(pointDeMontage.c_str(), 0755) != 0 && errno != EEXIST) {
        m_erreur = "impossible de créer " + pointDeMontage + " : " + std::strerror(errno);
        return;
    }
    if (etatPoint(pointDeMontage) != EEtatPoint::Libre) {
        // Left by an earlier run that was killed; any other mount there is not ours to end.
        if (!monteParNous(pointDeMontage)) {
            m_erreur = pointDeMontage + " est déjà un point de montage";
            return;
        }
        detacher(pointDeMontage);
    }
    // The child's messages, to explain a failure.
    char modele[] = "/tmp/miroir-lent-XXXXXX";
    const int messages = mkstemp(modele);
    if (messages >= 0)
        unlink(modele);
    const pid_t parent = getpid();
    const std::string latence = "--latence-us=" + std::to_string(latenceUs);
    const pid_t pid = fork();
    if (pid < 0) {
        m_erreur = std::string("fork : ") + std::strerror(errno);
        if (messages >= 0)
            close(messages);
        return;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        const int nul = open("/dev/null", O_RDWR);
        dup2(nul, STDIN_FILENO);
        dup2(nul, STDOUT_FILENO);
        dup2(messages >= 0 ? messages : nul, STDERR_FILENO);
        execl(programme.c_str(), programme.c_str(), latence.c_str(), source.c_str(), pointDeMontage.c_str(), "-f",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (etatPoint(pointDeMontage) != EEtatPoint::Monte) {
        const bool fini = waitpid(pid, nullptr, WNOHANG) == pid;
        if (fini || std::chrono::steady_clock::now() > fin) {
            if (!fini) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
            const std::string dit = messages >= 0 ? lireTout(messages) : std::string();
            m_erreur = "montage FUSE impossible sur " + pointDeMontage +
                       (fini ? "" : " (pas monté après 10 s)") + (dit.empty() ? "" : " : " + dit);
            if (messages >= 0)
                close(messages);
            if (etatPoint(pointDeMontage) != EEtatPoint::Libre && monteParNous(pointDeMontage))
                detacher(pointDeMontage);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (messages >= 0)
        close(messages);
    m_pid = pid;
}

bool CMontageMiroir::demonter()
{
    if (m_pid <= 0)
        return true;
    // SIGTERM ends FUSE's loop, which unmounts before the mirror exits. Only a mirror
    // that does not end is detached by force: once it has gone, whatever is mounted over
    // the point is someone else's (another mirror started there since).
    kill(m_pid, SIGTERM);
    if (!attendreFin(m_pid, std::chrono::seconds(5))) {
        detacher(m_pointDeMontage);
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
    // A mirror that died without unmounting leaves a dead mount behind.
    if (etatPoint(m_pointDeMontage) == EEtatPoint::Abandonne)
        detacher(m_pointDeMontage);
    return etatPoint(m_pointDeMontage) != EEtatPoint::Abandonne;
}
