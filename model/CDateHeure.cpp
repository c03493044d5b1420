#include "model/CDateHeure.h"

#include "model/Mot32.h"

namespace {

// Words of the image that carry nothing; written as these constants, ignored on reading.
constexpr std::uint32_t kReserve0 = 0x00444830;
constexpr std::uint32_t kReserve12 = 0x00444828;
constexpr std::uint32_t kReserve32 = 0x0044481C;

} // namespace

int comparer3(const CDateHeure& a, const CDateHeure& b)
{
    const std::strong_ordering ordre = a <=> b;
    return ordre < 0 ? -1 : (ordre > 0 ? 1 : 0);
}

std::string CDateHeure::texte() const
{
    return date.texte() + ' ' + plateforme().texteHeure(heure, minute);
}

void CDateHeure::ecrireImage(unsigned char* image) const
{
    ecrireMot32(image, kReserve0);
    ecrireMot32(image + 4, heure);
    ecrireMot32(image + 8, minute);
    ecrireMot32(image + 12, kReserve12);
    ecrireMot32(image + 16, seconde);
    date.ecrireImage(image + 20); // day, month, year
    ecrireMot32(image + 32, kReserve32);
}

CDateHeure CDateHeure::lireImage(const unsigned char* image)
{
    return CDateHeure{CDate::lireImage(image + 20), lireMot32(image + 4), lireMot32(image + 8),
                      lireMot32(image + 16)};
}

CDateHeure dateHeureDepuisTempsFichier(TempsFichier t)
{
    const SCalendrier local = plateforme().versHeureLocale(t);
    return CDateHeure{CDate{local.jour, local.mois, local.annee}, local.heure, local.minute, local.seconde};
}
