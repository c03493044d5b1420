#include "model/VerrouCatalogue.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "model/FichierOrdinaire.h"
#include "model/IdentiteFichier.h"
#include "model/RaisonSysteme.h"

namespace {

// flock() on NFS is a lock on the whole file that needs it open for writing.
bool verrouiller(int& fd, const std::string& chemin)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (errno != EBADF)
        return false;
    const int ecriture = ::open(chemin.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (ecriture < 0)
        return false;
    ::close(fd);
    fd = ecriture;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        errno = EINVAL;  // no longer the regular file looked at: given up below
        return false;
    }
    const int drapeaux = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK);
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// A file system that keeps no locks (NFS without its lock service): nothing to wait for.
bool sansVerrous(int erreur)
{
    return erreur == ENOLCK || erreur == EOPNOTSUPP;
}

std::string occupe(std::chrono::milliseconds attente)
{
    return "un autre programme est en train de le modifier (attente de " +
           std::to_string((attente.count() + 999) / 1000) + " s dépassée)";
}

} // namespace

CVerrouCatalogue::~CVerrouCatalogue()
{
    rendre();
}

void CVerrouCatalogue::rendre()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::optional<std::string> CVerrouCatalogue::prendre(const std::string& chemin, std::chrono::milliseconds attente)
{
    rendre();
    absent_ = false;
    const auto limite = std::chrono::steady_clock::now() + attente;
    std::chrono::milliseconds pause{1};
    for (;;) {
        SOuvertureLecture ouvert = ouvrirFichierOrdinaire(chemin);
        if (ouvert.probleme) {
            absent_ = ouvert.absent;
            return ouvert.probleme;
        }
        int fd = ouvert.fd;
        if (verrouiller(fd, chemin) || sansVerrous(errno)) {
            // Still the file the name leads to, or a save replaced it while we waited:
            // then the new one is locked in turn.
            const auto tenu = identiteDescripteur(fd);
            const auto nomme = identiteFichier(chemin);
            if (tenu && nomme && tenu->memeFichier(*nomme)) {
                fd_ = fd;
                return std::nullopt;
            }
            ::close(fd);
            if (std::chrono::steady_clock::now() < limite)
                continue;
            return occupe(attente);
        }
        const int erreur = errno;
        ::close(fd);
        if (erreur != EWOULDBLOCK && erreur != EINTR)
            return raisonSysteme(erreur);
        if (std::chrono::steady_clock::now() >= limite)
            return occupe(attente);
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(25));
    }
}
