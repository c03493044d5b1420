#include "tests/commun/CDossierTemporaire.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Empties the folder open as `fd` (closed here), going down through descriptors so
// that no path length limit applies.
void viderDossier(int fd)
{
    DIR* flux = fdopendir(fd);
    if (flux == nullptr) {
        close(fd);
        return;
    }
    std::vector<std::string> noms;
    while (const dirent* d = readdir(flux)) {
        const std::string nom = d->d_name;
        if (nom != "." && nom != "..")
            noms.push_back(nom);
    }
    for (const std::string& nom : noms) {
        struct stat etat {};
        if (fstatat(fd, nom.c_str(), &etat, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(etat.st_mode)) {
            fchmodat(fd, nom.c_str(), 0700, 0);
            const int sous = openat(fd, nom.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sous >= 0)
                viderDossier(sous);
            unlinkat(fd, nom.c_str(), AT_REMOVEDIR);
        } else {
            unlinkat(fd, nom.c_str(), 0);
        }
    }
    closedir(flux);
}

} // namespace

CDossierTemporaire::CDossierTemporaire()
{
    const char* base = std::getenv("TMPDIR");
    std::string modele = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/norvanel-test-XXXXXX";
    if (mkdtemp(modele.data()) == nullptr)
        throw std::runtime_error("mkdtemp a échoué pour " + modele);
    m_chemin = modele;
}

CDossierTemporaire::~CDossierTemporaire()
{
    chmod(m_chemin.c_str(), 0700);
    const int fd = open(m_chemin.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        viderDossier(fd);
    rmdir(m_chemin.c_str());
}
