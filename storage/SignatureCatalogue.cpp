#include "storage/SignatureCatalogue.h"

#include <unistd.h>

#include <cerrno>

#include "model/Mot32.h"
#include "storage/Descripteur.h"
#include "storage/FichierOrdinaire.h"

namespace {

constexpr std::size_t kDebutOrdres = 11;   // where the three rows of seven column numbers start
constexpr std::size_t kColonnes = 3 * 7;
constexpr std::uint32_t kColonneMax = 6;

bool estBooleen(char o)
{
    return o == 0 || o == 1;
}

} // namespace

bool commenceCommeUnCatalogue(std::string_view debut)
{
    if (debut.size() < kTailleEnteteCatalogue || !estBooleen(debut[0]) || !estBooleen(debut[9]) ||
        !estBooleen(debut[10]))
        return false;
    const auto* o = reinterpret_cast<const unsigned char*>(debut.data());
    for (std::size_t i = 0; i < kColonnes; ++i)
        if (lireMot32(o + kDebutOrdres + 4 * i) > kColonneMax)
            return false;
    return static_cast<std::int32_t>(lireMot32(o + kDebutOrdres + 4 * kColonnes)) >= 0;
}

bool estUnCatalogue(const std::string& chemin)
{
    const SOuvertureLecture ouvert = ouvrirFichierOrdinaire(chemin);
    if (ouvert.probleme)
        return false;
    SDescripteur f{ouvert.fd};
    std::string debut(kTailleEnteteCatalogue, '\0');
    std::size_t lus = 0;
    while (lus < debut.size()) {
        const ssize_t n = ::pread(f.fd, debut.data() + lus, debut.size() - lus, static_cast<off_t>(lus));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        lus += static_cast<std::size_t>(n);
    }
    return commenceCommeUnCatalogue(debut);
}
