#include "platform/CacheFichiers.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <random>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/DossierPrive.h"

namespace {

// Larger than any index we write (40 bytes a file, a few hundred million files):
// a bigger file is not ours to map.
constexpr std::uint64_t kTailleMax = std::uint64_t(16) << 30;
constexpr const char* kPrefixeTemporaire = ".temp-";

// The folder opened without following a link, if it is ours alone.
int ouvrirDossier(const std::string& dossier)
{
    if (dossier.empty() || dossier.front() != '/')
        return -1;
    const int fd = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0) {
        ::close(fd);
        errno = EPERM;
        return -1;
    }
    return fd;
}

// A regular file of ours that group and others may not write.
bool fichierDeConfiance(const struct stat& st)
{
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 022) == 0;
}

struct SFd {
    int fd;
    ~SFd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

std::string dossierCache()
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        base = std::string(home) + "/.cache";
    else
        return {};
    // The base may be missing on a fresh account; it is the user's, made as mkdir -p would.
    if (::mkdir(base.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    const std::string dossier = base + "/norvanel";
    return preparerDossierPrive(dossier) ? dossier : std::string();
}

CFichierCache::CFichierCache(CFichierCache&& autre) noexcept
    : donnees_(std::exchange(autre.donnees_, nullptr)), taille_(std::exchange(autre.taille_, 0))
{
}

CFichierCache& CFichierCache::operator=(CFichierCache&& autre) noexcept
{
    if (this != &autre) {
        this->~CFichierCache();
        donnees_ = std::exchange(autre.donnees_, nullptr);
        taille_ = std::exchange(autre.taille_, 0);
    }
    return *this;
}

CFichierCache::~CFichierCache()
{
    if (donnees_)
        ::munmap(const_cast<unsigned char*>(donnees_), taille_);
    donnees_ = nullptr;
}

bool nomCacheValide(std::string_view nom)
{
    if (nom.empty() || nom.size() > 200)
        return false;
    return std::all_of(nom.begin(), nom.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

CFichierCache lireCache(const std::string& dossier, const std::string& nom)
{
    CFichierCache lu;
    if (!nomCacheValide(nom))
        return lu;
    const SFd dir{ouvrirDossier(dossier)};
    if (dir.fd < 0)
        return lu;
    // O_NONBLOCK: opening a FIFO put there would otherwise wait for a writer.
    const SFd f{::openat(dir.fd, nom.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    if (f.fd < 0)
        return lu;
    struct stat st {};
    if (::fstat(f.fd, &st) != 0 || !fichierDeConfiance(st) || st.st_size <= 0 ||
        std::uint64_t(st.st_size) > kTailleMax)
        return lu;
    void* p = ::mmap(nullptr, std::size_t(st.st_size), PROT_READ, MAP_PRIVATE, f.fd, 0);
    if (p == MAP_FAILED)
        return lu;
    lu.donnees_ = static_cast<const unsigned char*>(p);
    lu.taille_ = std::size_t(st.st_size);
    return lu;
}

bool ecrireCache(const std::string& dossier, const std::string& nom, std::string_view octets)
{
    return ecrireCache(dossier, nom, std::span<const std::string_view>(&octets, 1));
}

bool ecrireCache(const std::string& dossier, const std::string& nom, std::span<const std::string_view> morceaux)
{
    if (!nomCacheValide(nom)) {
        errno = EINVAL;
        return false;
    }
    const SFd dir{ouvrirDossier(dossier)};
    if (dir.fd < 0)
        return false;
    std::random_device alea;
    const std::string temporaire = kPrefixeTemporaire + nom + "-" + std::to_string(alea());
    SFd f{::openat(dir.fd, temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)};
    if (f.fd < 0)
        return false;
    const auto abandonner = [&] {
        const int erreur = errno;
        ::unlinkat(dir.fd, temporaire.c_str(), 0);
        errno = erreur;
        return false;
    };
    for (const std::string_view octets : morceaux)
        for (std::size_t ecrit = 0; ecrit < octets.size();) {
            const ssize_t n = ::write(f.fd, octets.data() + ecrit, octets.size() - ecrit);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return abandonner();
            ecrit += std::size_t(n);
        }
    if (::close(std::exchange(f.fd, -1)) != 0)
        return abandonner();
    if (::renameat(dir.fd, temporaire.c_str(), dir.fd, nom.c_str()) != 0)
        return abandonner();
    return true;
}

void nettoyerCache(const std::string& dossier, std::uint64_t limite,
                   const std::function<bool(const std::string& nom)>& garder)
{
    const SFd dir{ouvrirDossier(dossier)};
    if (dir.fd < 0)
        return;
    const int copie = ::dup(dir.fd);
    DIR* liste = copie < 0 ? nullptr : ::fdopendir(copie);
    if (!liste) {
        if (copie >= 0)
            ::close(copie);
        return;
    }
    struct SGarde {
        std::string nom;
        std::uint64_t taille;
        std::int64_t modifie;
    };
    std::vector<SGarde> gardes;
    const std::time_t maintenant = std::time(nullptr);
    while (const dirent* e = ::readdir(liste)) {
        const std::string nom = e->d_name;
        struct stat st {};
        if (nom == "." || nom == ".." || ::fstatat(dir.fd, nom.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !fichierDeConfiance(st))
            continue;
        if (nom.rfind(kPrefixeTemporaire, 0) == 0) {
            if (maintenant - st.st_mtime > 60)
                ::unlinkat(dir.fd, nom.c_str(), 0);
            continue;
        }
        if (!nomCacheValide(nom))
            continue;  // not one of ours: left alone
        if (!garder(nom)) {
            ::unlinkat(dir.fd, nom.c_str(), 0);
            continue;
        }
        gardes.push_back({nom, std::uint64_t(st.st_size), std::int64_t(st.st_mtime)});
    }
    ::closedir(liste);
    std::sort(gardes.begin(), gardes.end(), [](const SGarde& a, const SGarde& b) { return a.modifie < b.modifie; });
    std::uint64_t total = 0;
    for (const SGarde& g : gardes)
        total += g.taille;
    for (const SGarde& g : gardes) {
        if (total <= limite)
            break;
        if (::unlinkat(dir.fd, g.nom.c_str(), 0) == 0)
            total -= g.taille;
    }
}
