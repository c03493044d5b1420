#include "platform/CalendrierCivil.h"

namespace {

std::int64_t diviserVersLeBas(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

} // namespace

SCalendrier calendrierSansDecalage(std::int64_t secondes)
{
    const std::int64_t jours = diviserVersLeBas(secondes, 86400);
    const std::int64_t dansJour = secondes - jours * 86400;
    // Days to a civil date (H. Hinnant's algorithm), in eras of 400 years from 0000-03-01.
    const std::int64_t z = jours + 719468;
    const std::int64_t ere = diviserVersLeBas(z, 146097);
    const std::int64_t jourEre = z - ere * 146097;
    const std::int64_t anneeEre = (jourEre - jourEre / 1460 + jourEre / 36524 - jourEre / 146096) / 365;
    const std::int64_t jourAnnee = jourEre - (365 * anneeEre + anneeEre / 4 - anneeEre / 100);
    const std::int64_t moisDecale = (5 * jourAnnee + 2) / 153;
    const std::int64_t jour = jourAnnee - (153 * moisDecale + 2) / 5 + 1;
    const std::int64_t mois = moisDecale < 10 ? moisDecale + 3 : moisDecale - 9;
    const std::int64_t annee = anneeEre + ere * 400 + (mois <= 2);
    if (annee < 0)
        return {};
    SCalendrier c;
    c.annee = static_cast<std::uint32_t>(annee);
    c.mois = static_cast<std::uint32_t>(mois);
    c.jour = static_cast<std::uint32_t>(jour);
    c.heure = static_cast<std::uint32_t>(dansJour / 3600);
    c.minute = static_cast<std::uint32_t>(dansJour / 60 % 60);
    c.seconde = static_cast<std::uint32_t>(dansJour % 60);
    return c;
}

SCalendrier calendrierDepuisTm(const std::tm& tm)
{
    const int annee = tm.tm_year + 1900;
    if (annee < 0)
        return {};
    SCalendrier c;
    c.annee = static_cast<std::uint32_t>(annee);
    c.mois = static_cast<std::uint32_t>(tm.tm_mon + 1);
    c.jour = static_cast<std::uint32_t>(tm.tm_mday);
    c.heure = static_cast<std::uint32_t>(tm.tm_hour);
    c.minute = static_cast<std::uint32_t>(tm.tm_min);
    c.seconde = static_cast<std::uint32_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    return c;
}
