#include "platform/IdentiteFichier.h"

#include <sys/stat.h>

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
