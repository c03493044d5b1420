#include "model/EchangeDates.h"


#include <cstdio>

std::uint32_t lireChampDate(std::string_view texte)
{
    constexpr std::string_view kBlancs = " \t";
    const std::size_t debut = texte.find_first_not_of(kBlancs);
    if (debut == std::string_view::npos)
        return 0;
    texte = texte.substr(debut, texte.find_last_not_of(kBlancs) - debut + 1);

    bool negatif = false;
    if (texte.front() == '+' || texte.front() == '-') {
        negatif = texte.front() == '-';
        texte.remove_prefix(1);
    }
    if (texte.empty())
        return 0;
    constexpr std::uint32_t kMaximum = 2147483647; // what a signed field can hold
    std::uint32_t valeur = 0;
    for (char c : texte) {
        if (c < '0' || c > '9')
            return 0;
        const auto chiffre = std::uint32_t(c - '0');
        if (valeur > (kMaximum - chiffre) / 10)
            return 0;
        valeur = valeur * 10 + chiffre;
    }
    // A negative day, month or year would wrap to a huge unsigned value: read it as no
    // value at all, like any other text that is not a date field.
    return negatif ? 0 : valeur;
}

CDate dateDepuisChamps(std::string_view jour, std::string_view mois, std::string_view annee)
{
    return CDate{lireChampDate(jour), lireChampDate(mois), lireChampDate(annee)};
}

std::optional<std::array<std::string, 3>> champsDepuisDate(const CDate& date)
{
    if (date.jour == 0 || date.mois == 0 || date.annee == 0)
        return std::nullopt;
    char jour[16], mois[16], annee[16];
    std::snprintf(jour, sizeof jour, "%02u", unsigned(date.jour));
    std::snprintf(mois, sizeof mois, "%02u", unsigned(date.mois));
    std::snprintf(annee, sizeof annee, "%04u", unsigned(date.annee));
    return std::array<std::string, 3>{jour, mois, annee};
}

namespace {

// Index, among a date's three fields, of the one a validation result blames; none
// for a valid date.
std::optional<int> champFautif(EValiditeDate validite)
{
    switch (validite) {
    case EValiditeDate::Valide:
        return std::nullopt;
    case EValiditeDate::JourInvalide:
        return 0;
    case EValiditeDate::MoisInvalide:
        return 1;
    case EValiditeDate::AnneeInvalide:
        return 2;
    }
    return std::nullopt;
}

} // namespace

std::variant<CPlageDates, SDateInvalide> plageDepuisChamps(bool coche, const ChampsPlage& champs)
{
    const CPlageDates plage{coche, dateDepuisChamps(champs[0], champs[1], champs[2]),
                            dateDepuisChamps(champs[3], champs[4], champs[5])};
    if (coche) {
        if (const std::optional<int> champ = champFautif(plage.du.valider()))
            return SDateInvalide{*champ};
        if (const std::optional<int> champ = champFautif(plage.au.valider()))
            return SDateInvalide{3 + *champ};
    }
    return plage;
}

SAffichagePlage affichageDepuisPlage(const CPlageDates& plage)
{
    return SAffichagePlage{plage.actif, champsDepuisDate(plage.du), champsDepuisDate(plage.au)};
}
