#include "model/FichierOrdinaire.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/RaisonSysteme.h"

namespace {

const char* const kPasOrdinaire = "ce n'est pas un fichier ordinaire";

SOuvertureLecture echec(int erreur)
{
    return {-1, raisonSysteme(erreur), erreur == ENOENT};
}

} // namespace

SOuvertureLecture ouvrirFichierOrdinaire(const std::string& chemin)
{
    // Looked at before it is opened, so that no device is ever opened; checked again
    // on the descriptor, as the name may have changed in between. O_NONBLOCK keeps a
    // pipe put there meanwhile from blocking the open.
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0)
        return echec(errno);
    if (!S_ISREG(st.st_mode))
        return {-1, kPasOrdinaire};
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return echec(errno);
    const int drapeaux = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || drapeaux < 0 ||
        ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK) != 0) {
        const int erreur = errno;
        const bool ordinaire = S_ISREG(st.st_mode);
        ::close(fd);
        return ordinaire ? echec(erreur) : SOuvertureLecture{-1, kPasOrdinaire};
    }
    return {fd, std::nullopt};
}
