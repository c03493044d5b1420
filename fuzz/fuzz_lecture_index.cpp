// Feeds arbitrary bytes to the reader of kept quick-search indexes, as a crafted file
// in the cache would be: its checksum made right and the catalogue it names taken as
// the one at hand, so that the fuzzer reaches every count and offset. Whatever it
// accepts must be searchable without reading out of bounds.

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/SommeRapide.h"
#include "search/IndexGarde.h"
#include "search/MotsRapides.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 104)
        return 0;
    // Aligned as a mapping is.
    std::vector<std::uint64_t> mots(size / 8 + 1);
    std::memcpy(mots.data(), data, size);
    char* octets = reinterpret_cast<char*>(mots.data());
    const std::uint64_t somme = sommeRapide(std::string_view(octets + 32, size - 32));
    std::memcpy(octets + 24, &somme, sizeof somme);
    std::uint64_t identite[7];
    std::memcpy(identite, octets + 32, sizeof identite);
    SIdentiteCatalogue attendu;
    attendu.fichier = {identite[0], identite[1], std::int64_t(identite[2]), std::int64_t(identite[3]),
                       std::int64_t(identite[4])};
    attendu.changementNanos = std::int64_t(identite[5]);
    attendu.sommeEntete = identite[6];

    const auto requetes = lireIndexGarde(std::string_view(octets, size), attendu);
    if (!requetes)
        return 0;
    static const std::vector<SMotRapide> cherches = analyserMots("e a/ *.j");
    const std::atomic<bool> jamais{false};
    for (const SRequeteGardee& q : *requetes) {
        const auto index = CIndexRapide::surBlocs(q.blocs);
        if (!index)
            std::abort();  // read, yet not coherent
        std::uint32_t d = 0;
        for (std::uint32_t f : index->chercherNumeros(cherches, jamais)) {
            while (q.blocs.premierFichier[d + 1] <= f)
                ++d;
            (void)q.debutFichier(d, f);
            (void)q.cheminDossier(d);
        }
    }
    if (!cheminCatalogueGarde(std::string_view(octets, size)))
        std::abort();  // read, yet its header's path out of bounds
    return 0;
}
