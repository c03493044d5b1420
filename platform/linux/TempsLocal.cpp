#include "platform/linux/TempsLocal.h"

#include <cstdint>
#include <ctime>
#include <optional>

#include "platform/CalendrierCivil.h"
#include "platform/linux/DecalagesFuseau.h"

namespace {

// The C library reads TZ once here; localtime_r does not promise to, and doing it on
// every call would cost a stat of /etc/localtime per file. A test that changes TZ calls
// oublierFuseau().
void initialiserFuseauUneFois()
{
    static const bool fait = [] {
        tzset();
        return true;
    }();
    (void)fait;
}

SCalendrier calendrierDeLaBibliotheque(std::time_t secondes)
{
    std::tm tm{};
    if (localtime_r(&secondes, &tm) == nullptr)
        return {};
    return calendrierDepuisTm(tm);
}

SCalendrier calendrierDepuisSecondes(std::time_t secondes)
{
    initialiserFuseauUneFois();
    if (const std::optional<std::int64_t> decalage = decalageFuseau(secondes))
        return calendrierSansDecalage(secondes + *decalage);
    return calendrierDeLaBibliotheque(secondes);
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

void oublierFuseau()
{
    tzset();
    oublierDecalages();
}
