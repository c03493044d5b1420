#include "bench/ParcoursPlancher.h"

#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

SHeureLocale heureLocale(const struct statx_timestamp& t)
{
    const std::time_t secondes = t.tv_sec;
    std::tm tm{};
    localtime_r(&secondes, &tm);
    return {std::uint16_t(tm.tm_year + 1900), std::uint8_t(tm.tm_mon + 1), std::uint8_t(tm.tm_mday),
            std::uint8_t(tm.tm_hour), std::uint8_t(tm.tm_min), std::uint8_t(tm.tm_sec)};
}

// Walks the folder open on `fd` (closed on return); `prefixe` is its path and a '/'.
void parcourir(int fd, std::string& prefixe, std::vector<SEntreePlancher>& entrees)
{
    DIR* flux = fdopendir(fd);
    if (flux == nullptr) {
        close(fd);
        return;
    }
    while (const dirent* d = readdir(flux)) {
        const char* nom = d->d_name;
        if (nom[0] == '.' && (nom[1] == 0 || (nom[1] == '.' && nom[2] == 0)))
            continue;
        struct statx sx;
        if (statx(dirfd(flux), nom, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
            continue;
        SEntreePlancher& e = entrees.emplace_back();
        e.chemin.reserve(prefixe.size() + std::strlen(nom));
        e.chemin.assign(prefixe).append(nom);
        e.taille = sx.stx_size;
        e.mode = sx.stx_mode;
        e.modifie = heureLocale(sx.stx_mtime);
        e.accede = heureLocale(sx.stx_atime);
        e.cree = (sx.stx_mask & STATX_BTIME) ? heureLocale(sx.stx_btime) : e.modifie;
        if (S_ISDIR(sx.stx_mode)) {
            const int sous = openat(dirfd(flux), nom, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
            if (sous >= 0) {
                const std::size_t longueur = prefixe.size();
                prefixe.append(nom).push_back('/');
                parcourir(sous, prefixe, entrees);
                prefixe.resize(longueur);
            }
        }
    }
    closedir(flux);
}

} // namespace

bool parcourirPlancher(const std::string& racine, std::vector<SEntreePlancher>& entrees)
{
    const int fd = open(racine.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::string prefixe = racine;
    if (prefixe.empty() || prefixe.back() != '/')
        prefixe.push_back('/');
    parcourir(fd, prefixe, entrees);
    return true;
}
