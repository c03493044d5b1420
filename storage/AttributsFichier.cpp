#include "storage/AttributsFichier.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <string_view>
#include <vector>

namespace {

// Reads a list or a value whose size is asked first; it may grow in between.
bool lireTaillee(const std::function<ssize_t(char*, std::size_t)>& lire, std::string& valeur)
{
    for (int essai = 0; essai < 5; ++essai) {
        const ssize_t taille = lire(nullptr, 0);
        if (taille < 0)
            return false;
        valeur.resize(static_cast<std::size_t>(taille));
        const ssize_t lus = lire(valeur.data(), valeur.size());
        if (lus >= 0) {
            valeur.resize(static_cast<std::size_t>(lus));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    return false;
}

// The names of a list as listxattr() gives it (each ends with a zero byte).
std::vector<std::string> noms(const std::string& liste)
{
    std::vector<std::string> r;
    for (std::size_t debut = 0; debut < liste.size();) {
        const std::size_t fin = liste.find('\0', debut);
        const std::size_t n = (fin == std::string::npos ? liste.size() : fin) - debut;
        if (n > 0)
            r.emplace_back(liste, debut, n);
        debut += n + 1;
    }
    return r;
}

bool estEtiquetteSysteme(std::string_view nom)
{
    return nom.starts_with("security.");
}

bool reporterProprietaire(const struct stat& ancien, int destination)
{
    if (ancien.st_uid == ::geteuid() && ancien.st_gid == ::getegid())
        return true;
    // Owner first: changing it clears the set-user-ID bits that the mode then restores.
    return ::fchown(destination, ancien.st_uid, ancien.st_gid) == 0;
}

bool reporterAttributsEtendus(const std::string& source, int destination)
{
    std::string liste;
    if (!lireTaillee([&](char* o, std::size_t n) { return ::listxattr(source.c_str(), o, n); }, liste))
        return errno == ENOTSUP;  // a file system without them: nothing to carry
    const std::vector<std::string> anciens = noms(liste);
    for (const std::string& nom : anciens) {
        std::string valeur;
        const bool lu = lireTaillee(
            [&](char* o, std::size_t n) { return ::getxattr(source.c_str(), nom.c_str(), o, n); }, valeur);
        if (!lu && errno == ENODATA)
            continue;  // removed meanwhile
        if ((!lu || ::fsetxattr(destination, nom.c_str(), valeur.data(), valeur.size(), 0) != 0) &&
            !estEtiquetteSysteme(nom))
            return false;
    }
    // What the new file got by itself and the old one did not have (an ACL inherited
    // from the folder's default ACL) goes, so the new file has exactly the old ones.
    std::string propres;
    if (!lireTaillee([&](char* o, std::size_t n) { return ::flistxattr(destination, o, n); }, propres))
        return errno == ENOTSUP;
    for (const std::string& nom : noms(propres))
        if (std::find(anciens.begin(), anciens.end(), nom) == anciens.end() &&
            ::fremovexattr(destination, nom.c_str()) != 0 && errno != ENODATA && !estEtiquetteSysteme(nom))
            return false;
    return true;
}

} // namespace

bool reporterAttributs(const std::string& source, const struct stat& ancien, int destination)
{
    return reporterProprietaire(ancien, destination) && reporterAttributsEtendus(source, destination);
}
