#include "platform/linux/CEnumerationLinux.h"

#include "platform/linux/OuvertureDossier.h"
#include "platform/linux/SystemesNoyau.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <string_view>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// A statx time as a file time. Times the file time cannot hold (before 1601, or past
// the year 30000 on a file system that keeps 64-bit seconds) are held at its ends.
TempsFichier tempsFichier(const struct statx_timestamp& t)
{
    constexpr std::int64_t kMin = -kSecondes1601a1970;
    constexpr std::int64_t kMax = std::numeric_limits<TempsFichier>::max() / 10000000 - kSecondes1601a1970 - 1;
    if (t.tv_sec < kMin)
        return 0;
    if (t.tv_sec > kMax)
        return tempsFichierDepuisUnix(kMax);
    return tempsFichierDepuisUnix(t.tv_sec, t.tv_nsec);
}

// Why an entry listed could not be examined: it alone (a folder that may be listed but
// not searched, an Interix special file of NTFS that ntfs-3g answers EIO for), which
// keeps its name; otherwise the file system no longer answers (ENOTCONN, ESTALE,
// ENOMEM...), and what is left of the folder cannot be read.
bool entreeIndescriptible(int erreur)
{
    return erreur == EACCES || erreur == EPERM || erreur == EIO || erreur == EOVERFLOW || erreur == EINVAL ||
           erreur == EOPNOTSUPP;
}

std::uint32_t attributsUnix(const char* nom, std::uint16_t mode)
{
    std::uint32_t attributs = 0;
    if (S_ISDIR(mode))
        attributs |= kAttrDossier;
    if (nom[0] == '.')
        attributs |= kAttrCache;
    if ((mode & 0222) == 0)
        attributs |= kAttrLectureSeule;
    return attributs;
}

} // namespace

std::unique_ptr<CEnumeration> CEnumerationLinux::ouvrir(const std::string& dossier, int* erreur)
{
    const int fd = ouvrirDossier(dossier);
    if (fd < 0)
        return echec(errno, erreur);
    std::string prefixe = dossier;
    if (prefixe.back() != '/')
        prefixe += '/';
    return depuisDescripteur(fd, std::move(prefixe), nullptr, erreur);
}

std::unique_ptr<CEnumeration> CEnumerationLinux::ouvrirSousDossier(const SEntreeDossier& entree, int* erreur)
{
    // Not a name of this folder: none of its entries.
    const std::string& chemin = entree.chemin;
    if (chemin.size() <= m_prefixe.size() || chemin.compare(0, m_prefixe.size(), m_prefixe) != 0)
        return echec(ENOENT, erreur);
    const std::string_view nom = std::string_view(chemin).substr(m_prefixe.size());
    if (nom == "." || nom == ".." || nom.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return echec(ENOENT, erreur);
    const int fd = ::ouvrirSousDossier(m_fd, nom.data());
    if (fd < 0)
        return echec(errno, erreur);
    return depuisDescripteur(fd, chemin + '/', this, erreur);
}

std::unique_ptr<CEnumeration> CEnumerationLinux::ouvrirParent(int* erreur)
{
    const int fd = ::ouvrirParent(m_fd);
    if (fd < 0)
        return echec(errno, erreur);
    // "/a/b/" gives "/a/"; the root's parent is the root.
    std::string prefixe = m_prefixe;
    if (prefixe.size() > 1) {
        prefixe.pop_back();
        prefixe.erase(prefixe.rfind('/') + 1);
    }
    return depuisDescripteur(fd, std::move(prefixe), this, erreur);
}

std::unique_ptr<CEnumeration> CEnumerationLinux::echec(int code, int* erreur)
{
    if (erreur)
        *erreur = code;
    return nullptr;
}

std::unique_ptr<CEnumeration> CEnumerationLinux::depuisDescripteur(int fd, std::string prefixe,
                                                                   const CEnumerationLinux* voisin, int* erreur)
{
    struct stat etat {};
    if (fstat(fd, &etat) != 0) {
        const int code = errno;
        close(fd);
        return echec(code, erreur);
    }
    // On the file system of the folder it was reached from, a folder reads as that one
    // does: no need to ask.
    if (voisin != nullptr && etat.st_dev == voisin->m_identite.peripherique)
        return std::unique_ptr<CEnumeration>(
            new CEnumerationLinux(fd, std::move(prefixe), {etat.st_dev, etat.st_ino, voisin->m_identite.systemeNoyau},
                                  voisin->m_lectureDos));
    struct statfs systeme {};
    if (fstatfs(fd, &systeme) != 0) {
        const int code = errno;
        close(fd);
        return echec(code, erreur);
    }
    const SIdentiteDossier identite{etat.st_dev, etat.st_ino, estSystemeNoyau(systeme.f_type)};
    return std::unique_ptr<CEnumeration>(
        new CEnumerationLinux(fd, std::move(prefixe), identite, lectureAttributsDos(fd, systeme.f_type)));
}

CEnumerationLinux::CEnumerationLinux(int fd, std::string prefixe, SIdentiteDossier identite,
                                     ELectureAttributsDos lectureDos)
    : m_fd(fd), m_entrees(fd), m_prefixe(std::move(prefixe)), m_identite(identite), m_lectureDos(lectureDos)
{
}

CEnumerationLinux::~CEnumerationLinux() { close(m_fd); }

bool CEnumerationLinux::suivante(SEntreeDossier& entree)
{
    for (;;) {
        const struct dirent64* d = m_entrees.suivante();
        if (d == nullptr) {
            m_erreur = m_entrees.erreur();
            return false;
        }
        struct statx sx;
        const bool examine =
            statx(m_fd, d->d_name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0;
        if (!examine && errno == ENOENT)
            continue;
        if (!examine && !entreeIndescriptible(errno)) {
            m_erreur = errno;
            return false;
        }

        // One allocation for the path, which the capture keeps.
        const std::size_t longueurNom = std::strlen(d->d_name);
        entree.chemin.clear();
        entree.chemin.reserve(m_prefixe.size() + longueurNom);
        entree.chemin.append(m_prefixe).append(d->d_name, longueurNom);
        const std::uint16_t mode = examine ? sx.stx_mode : d->d_type == DT_DIR ? S_IFDIR | 0755 : S_IFREG | 0644;
        entree.attributs = attributsUnix(d->d_name, mode);
        if (m_lectureDos != ELectureAttributsDos::Aucune)
            if (const std::optional<std::uint32_t> dos =
                    attributsDos(m_fd, d->d_name, examine ? sx.stx_mode & S_IFMT : 0, m_lectureDos))
                entree.attributs |= *dos; // a dot name stays hidden: the bit hides more
        if (!examine) {
            entree.creation = entree.acces = entree.ecriture = 0;
            entree.taille = 0;
            return true;
        }
        entree.ecriture = tempsFichier(sx.stx_mtime);
        entree.acces = tempsFichier(sx.stx_atime);
        entree.creation = (sx.stx_mask & STATX_BTIME) != 0 ? tempsFichier(sx.stx_btime) : entree.ecriture;
        entree.taille = sx.stx_size;
        return true;
    }
}
