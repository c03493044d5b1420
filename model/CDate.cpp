#include "model/CDate.h"

#include "model/Mot32.h"

std::strong_ordering operator<=>(const CDate& a, const CDate& b)
{
    if (a.annee != b.annee)
        return a.annee <=> b.annee;
    if (a.mois != b.mois)
        return a.mois <=> b.mois;
    return a.jour <=> b.jour;
}

int comparer3(const CDate& a, const CDate& b)
{
    const std::strong_ordering ordre = a <=> b;
    return ordre < 0 ? -1 : (ordre > 0 ? 1 : 0);
}

bool estBissextile(std::uint32_t annee)
{
    return annee % 4 == 0 && (annee % 400 == 0 || annee % 100 != 0);
}

std::uint32_t joursDansMois(std::uint32_t mois, std::uint32_t annee)
{
    constexpr std::uint32_t kJours[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois == 2 && estBissextile(annee))
        return 29;
    return kJours[mois - 1];
}

EValiditeDate CDate::valider() const
{
    const bool moisValide = mois >= 1 && mois <= 12;
    if (jour == 0 || (moisValide && jour > joursDansMois(mois, annee)))
        return EValiditeDate::JourInvalide;
    if (!moisValide)
        return EValiditeDate::MoisInvalide;
    if (annee < 1970 || annee > 2106)
        return EValiditeDate::AnneeInvalide;
    return EValiditeDate::Valide;
}

std::string CDate::texte() const { return plateforme().texteDate(jour, mois, annee); }

void CDate::ecrireImage(unsigned char* image) const
{
    ecrireMot32(image, jour);
    ecrireMot32(image + 4, mois);
    ecrireMot32(image + 8, annee);
}

CDate CDate::lireImage(const unsigned char* image)
{
    return CDate{lireMot32(image), lireMot32(image + 4), lireMot32(image + 8)};
}

CDate aujourdhui()
{
    const SCalendrier maintenant = plateforme().maintenant();
    return CDate{maintenant.jour, maintenant.mois, maintenant.annee};
}

CDate dateDepuisTempsFichier(TempsFichier t)
{
    const SCalendrier local = plateforme().versHeureLocale(t);
    return CDate{local.jour, local.mois, local.annee};
}
