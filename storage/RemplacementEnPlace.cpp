#include "storage/RemplacementEnPlace.h"

#include "storage/CopieCreuse.h"
#include "storage/Descripteur.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Empties `destination`, copies all of `source` into it and syncs it: 0, or the errno
// of the first failure. Emptied first: stopped midway, the file is a short one that
// fails to load, never the new content followed by the end of the old one, which
// would load without a word.
int recopier(int source, int destination, const SAppelsEcriture& appels)
{
    struct stat st {};
    if (appels.tronquer(destination, 0) != 0 || ::lseek(destination, 0, SEEK_SET) != 0 || ::fstat(source, &st) != 0)
        return errno;
    if (const int erreur = copierCreux(source, 0, static_cast<std::uint64_t>(st.st_size), destination, appels))
        return erreur;
    return appels.synchroniser(destination) == 0 ? 0 : errno;
}

} // namespace

std::optional<SEchecEcriture> remplacerEnPlace(const std::string& cible, const struct stat& ancien,
                                               const SFichiersEnPlace& fichiers, const SAppelsEcriture& appels)
{
    auto echec = [](int erreur) { return SEchecEcriture{raisonSysteme(erreur)}; };
    SDescripteur f{::open(cible.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (f.fd < 0)
        return echec(errno);
    struct stat ouvert {};
    if (::fstat(f.fd, &ouvert) != 0)
        return echec(errno);
    // Another program put another file there since the save began.
    if (ouvert.st_dev != ancien.st_dev || ouvert.st_ino != ancien.st_ino || !S_ISREG(ouvert.st_mode))
        return SEchecEcriture{"le fichier a été remplacé pendant l'enregistrement"};

    // The backup must be whole on disk, under its lasting name, before the file is
    // touched. An older backup is never replaced.
    if (const int erreur = recopier(f.fd, fichiers.copie, appels))
        return echec(erreur);
    if (const int erreur = nommerSansRemplacer(fichiers.cheminCopie, fichiers.cheminSauvegarde))
        return echec(erreur);
    if (fichiers.dossier >= 0 && appels.synchroniser(fichiers.dossier) != 0 && errno != EINVAL) {
        const int erreur = errno;
        ::unlink(fichiers.cheminSauvegarde.c_str());
        return echec(erreur);
    }

    const int erreur = recopier(fichiers.nouveau, f.fd, appels);
    if (erreur == 0 || recopier(fichiers.copie, f.fd, appels) == 0) {
        ::unlink(fichiers.cheminSauvegarde.c_str());
        if (erreur == 0 && fichiers.ecrit)
            fichiers.ecrit->fd = rouvrirEnLecture(f.fd);
        return erreur == 0 ? std::nullopt : std::optional(echec(erreur));
    }
    SEchecEcriture perdu = echec(erreur);
    perdu.sauvegarde = fichiers.cheminSauvegarde;
    return perdu;
}
