#include "platform/linux/TempsLocal.h"

#include <ctime>

namespace {

// The C library reads TZ once here; localtime_r does not promise to, and doing it on
// every call would cost a stat of /etc/localtime per file. A test that changes TZ calls
// tzset() itself.
void initialiserFuseauUneFois()
{
    static const bool fait = [] {
        tzset();
        return true;
    }();
    (void)fait;
}

SCalendrier calendrierDepuisSecondes(std::time_t secondes)
{
    initialiserFuseauUneFois();
    std::tm tm{};
    if (localtime_r(&secondes, &tm) == nullptr)
        return {};
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

} // namespace

SCalendrier calendrierLocal(TempsFichier t)
{
    if (t < 0)
        return {};
    constexpr TempsFichier kTicsParSeconde = 10000000;
    const std::int64_t secondes = t / kTicsParSeconde - kSecondes1601a1970;
    return calendrierDepuisSecondes(static_cast<std::time_t>(secondes));
}

SCalendrier calendrierLocalMaintenant() { return calendrierDepuisSecondes(std::time(nullptr)); }
