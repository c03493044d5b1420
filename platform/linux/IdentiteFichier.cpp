#include "platform/IdentiteFichier.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/SommeRapide.h"

namespace {

SIdentiteFichier depuis(const struct stat& st)
{
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
            static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

} // namespace

std::optional<SIdentiteFichier> identiteFichier(const std::string& chemin)
{
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0)
        return std::nullopt;
    return depuis(st);
}

std::optional<SIdentiteFichier> identiteDescripteur(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return depuis(st);
}

std::optional<SIdentiteCatalogue> identiteCatalogue(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    char debut[kOctetsSommeEntete];
    const std::size_t voulus = std::min<std::size_t>(sizeof debut, std::uint64_t(std::max<off_t>(st.st_size, 0)));
    std::size_t lus = 0;
    while (lus < voulus) {
        const ssize_t n = ::pread(fd, debut + lus, voulus - lus, off_t(lus));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        lus += std::size_t(n);
    }
    return SIdentiteCatalogue{depuis(st), std::int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec,
                              sommeRapide(std::string_view(debut, lus))};
}

std::string cheminReel(const std::string& chemin)
{
    char* reel = ::realpath(chemin.c_str(), nullptr);
    if (!reel)
        return {};
    std::string r(reel);
    std::free(reel);
    return r;
}
