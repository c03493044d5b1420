#include "storage/FichierOrdinaire.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/RaisonSysteme.h"

namespace {

SOuvertureLecture echec(int erreur)
{
    return {-1, raisonSysteme(erreur), erreur == ENOENT};
}

} // namespace

SOuvertureLecture ouvrirFichierOrdinaire(const std::string& chemin)
{
    // The name is first opened without reading (O_PATH opens no device and waits for
    // no writer), looked at, and only a regular file is then opened for reading,
    // through that very descriptor, so the name cannot change in between.
    const int chemine = ::open(chemin.c_str(), O_PATH | O_CLOEXEC);
    if (chemine < 0)
        return echec(errno);
    struct stat st {};
    const bool examine = ::fstat(chemine, &st) == 0;
    const int erreurExamen = errno;
    int fd = -1;
    if (examine && S_ISREG(st.st_mode))
        fd = ::open(("/proc/self/fd/" + std::to_string(chemine)).c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    const int erreurOuverture = errno;
    ::close(chemine);
    if (!examine)
        return echec(erreurExamen);
    if (!S_ISREG(st.st_mode))
        return {-1, "ce n'est pas un fichier ordinaire"};
    if (fd >= 0)
        return {fd, std::nullopt};
    if (erreurOuverture != ENOENT)  // without /proc, by name: O_NONBLOCK keeps a pipe put there from blocking
        return echec(erreurOuverture);
    fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return echec(errno);
    const int drapeaux = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || drapeaux < 0 ||
        ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return {-1, "ce n'est pas un fichier ordinaire"};
    }
    return {fd, std::nullopt};
}
