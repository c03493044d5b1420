#include "platform/RaisonSysteme.h"

#include <cerrno>

// On Linux EWOULDBLOCK is EAGAIN, and ENOTSUP is EOPNOTSUPP: one case each.
static_assert(EWOULDBLOCK == EAGAIN && ENOTSUP == EOPNOTSUPP);

std::string raisonSysteme(int erreur)
{
    switch (erreur) {
    case ENOSPC: return "le disque est plein";
    case EDQUOT: return "le quota d'espace disque est dépassé";
    case EFBIG: return "le fichier dépasse la taille permise";
    case EACCES:
    case EPERM: return "l'accès est refusé";
    case EROFS: return "le support est en lecture seule";
    case ENOENT: return "le fichier ou son dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "c'est un dossier";
    case ENAMETOOLONG: return "le chemin est trop long";
    case EIO: return "erreur de lecture ou d'écriture sur le support";
    case ENOMEM: return "la mémoire est insuffisante";
    case ELOOP: return "trop de liens symboliques";
    case ETXTBSY: return "le fichier est en cours d'exécution";
    case EBUSY: return "le fichier ou le support est occupé";
    case EEXIST: return "le fichier existe déjà";
    case EMFILE: return "ce programme a trop de fichiers ouverts";
    case ENFILE: return "le système a trop de fichiers ouverts";
    case EAGAIN: return "la ressource est momentanément indisponible";
    case ENXIO: return "le périphérique est absent";
    case ENODEV: return "le périphérique ne le permet pas";
    case EINVAL: return "l'opération n'est pas valable pour ce fichier";
    case EXDEV: return "le fichier se trouve sur un autre support";
    case ENOTEMPTY: return "le dossier n'est pas vide";
    case ESTALE: return "le fichier réseau n'est plus accessible";
    case ETIMEDOUT: return "le délai d'attente est dépassé";
    case EINTR: return "l'opération a été interrompue";
    case EOVERFLOW: return "le fichier est trop grand pour ce programme";
    case EOPNOTSUPP: return "l'opération n'est pas prise en charge par ce support";
    case EMLINK: return "le fichier a trop de liens";
    case ECONNREFUSED: return "la connexion a été refusée";
    case EHOSTUNREACH:
    case ENETUNREACH: return "le réseau est inaccessible";
    case ENOLCK: return "aucun verrou n'est disponible";
    }
    return "erreur système numéro " + std::to_string(erreur);
}
