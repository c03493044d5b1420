// Feeds arbitrary bytes to the catalogue reader. Whatever it accepts must write back
// and read again to the very same bytes.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/CDoc.h"
#include "platform/fake/CPlateformeFactice.h"
#include "storage/FichierCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CPlateformeFactice plateformeFactice;
    static bool pret = (definirPlateforme(&plateformeFactice), true);
    (void)pret;

    CDoc doc;
    if (!lireCatalogue(doc, std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    const std::string premiere = ecrireCatalogue(doc);
    CDoc relu;
    if (!lireCatalogue(relu, premiere))
        std::abort();  // we wrote something we cannot read
    if (ecrireCatalogue(relu) != premiere)
        std::abort();  // a save and a load changed something
    return 0;
}
