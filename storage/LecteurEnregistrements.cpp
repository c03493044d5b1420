#include "storage/LecteurEnregistrements.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "storage/CArchive.h"
#include "storage/SerialisationNoeuds.h"

namespace {

// Most records (a path, the values) fit in far less; a longer one is read again whole.
constexpr std::size_t kFenetre = 8 * 1024;

} // namespace

bool CLecteurEnregistrements::charger(std::uint64_t position, std::size_t voulus)
{
    const std::uint64_t dansFenetre = position - debutFenetre_;
    if (position >= debutFenetre_ && dansFenetre <= fenetre_.size() &&
        (fenetre_.size() - dansFenetre >= voulus || debutFenetre_ + fenetre_.size() == taille_))
        return true;
    const std::size_t n = std::size_t(std::min<std::uint64_t>(std::max(voulus, kFenetre), taille_ - position));
    fenetre_.resize(n);
    std::size_t lus = 0;
    while (lus < n) {
        const ssize_t r = ::pread(fd_, fenetre_.data() + lus, n - lus, off_t(position + lus));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            fenetre_.clear();
            return false;
        }
        lus += std::size_t(r);
    }
    debutFenetre_ = position;
    return true;
}

CFichier* CLecteurEnregistrements::lire(std::uint64_t position, CDossier& dossier)
{
    if (position >= taille_)
        return nullptr;
    // A record cut by the window's end is read again with a window as large as it needs,
    // up to the end of the file: past it there is no record.
    for (std::size_t voulus = kFenetre;; voulus *= 4) {
        if (!charger(position, voulus))
            return nullptr;
        const std::string_view dedans = std::string_view(fenetre_).substr(std::size_t(position - debutFenetre_));
        try {
            return &lireFichierSeul(dedans, dossier);
        } catch (const CErreurLecture&) {
            if (debutFenetre_ + fenetre_.size() >= taille_)
                return nullptr;
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        voulus = std::max(voulus, dedans.size());
    }
}
