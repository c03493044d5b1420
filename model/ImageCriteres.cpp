#include "model/ImageCriteres.h"

#include <cstring>
#include <type_traits>

#include "model/Mot32.h"
#include "model/CCriteres.h"

namespace {

// Every 32-bit field from offset 96 on, in the order of the image.
template <typename Criteres, typename Fonction>
void pourChaqueMot(Criteres& c, Fonction f)
{
    f(96, c.testTaille);
    f(100, c.comparaisonTaille);
    f(104, c.valeurTaille);
    f(108, c.uniteTaille);
    f(112, c.diviseurTaille);
    for (int i = 0; i < 4; ++i)
        f(116 + 4 * i, c.attributs[i]);
    f(132, c.doublons);
    f(136, c.memeNom);
    f(140, c.memeCreation);
    f(144, c.memeModification);
    f(148, c.memeAcces);
    f(152, c.memeTaille);
    f(156, c.rechercherSousDossiers);
    f(160, c.rechercherDossiersCaches);
}

} // namespace

void ecrireImageCriteres(const CCriteres& c, unsigned char* image)
{
    std::memset(image, 0, kTailleImageCriteres);
    ecrireMot32(image + 4, static_cast<std::uint32_t>(c.portee));
    c.cree.ecrireImage(image + 12);
    c.modifie.ecrireImage(image + 40);
    c.accede.ecrireImage(image + 68);
    pourChaqueMot(c, [image](int offset, auto v) { ecrireMot32(image + offset, static_cast<std::uint32_t>(v)); });
}

void lireImageCriteres(const unsigned char* image, CCriteres& c)
{
    c.motif.clear();
    c.cible = nullptr;
    c.portee = static_cast<std::int32_t>(lireMot32(image + 4));
    c.cree = CPlageDates::lireImage(image + 12);
    c.modifie = CPlageDates::lireImage(image + 40);
    c.accede = CPlageDates::lireImage(image + 68);
    pourChaqueMot(c, [image](int offset, auto& v) {
        v = static_cast<std::remove_reference_t<decltype(v)>>(lireMot32(image + offset));
    });
}
