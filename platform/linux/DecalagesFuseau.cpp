#include "platform/linux/DecalagesFuseau.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <ctime>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/CalendrierCivil.h"

namespace {

// Stretches of 2^22 seconds (48 days) from 1900 to 2100, each read hour by hour when
// first needed: about 1 200 calls to the library, a few tens of microseconds. A change
// of offset between two hours is found to the second; two changes within one hour
// that undo each other would go unseen, and no zone has any.
constexpr std::int64_t kDebut = -2208988800;  // 1900-01-01 UTC
constexpr std::int64_t kFin = 4102444800;     // 2100-01-01 UTC
constexpr int kBitsTroncon = 22;
constexpr std::int64_t kTroncon = std::int64_t{1} << kBitsTroncon;
constexpr std::size_t kTroncons = static_cast<std::size_t>((kFin - kDebut + kTroncon - 1) / kTroncon);

struct SChangement {
    std::int64_t debut;     // first second with this offset
    std::int64_t decalage;
};

struct STroncon {
    bool fiable = true;  // false: the library converts every time in it
    std::vector<SChangement> changements;  // the first at the stretch's start
};

std::array<std::atomic<const STroncon*>, kTroncons> troncons{};
std::mutex verrouConstruction;
std::vector<std::unique_ptr<STroncon>> construits;  // under verrouConstruction

// The library's offset at `t`, when its fields there are `t` plus that offset.
std::optional<std::int64_t> decalageBibliotheque(std::int64_t t)
{
    const std::time_t secondes = static_cast<std::time_t>(t);
    std::tm tm{};
    if (localtime_r(&secondes, &tm) == nullptr)
        return std::nullopt;
    // A leap second, shown as second 59, is not the time plus the offset either.
    if (tm.tm_year + 1900 < 0 || tm.tm_sec > 59 ||
        !memeCalendrier(calendrierDepuisTm(tm), calendrierSansDecalage(t + tm.tm_gmtoff)))
        return std::nullopt;
    return tm.tm_gmtoff;
}

std::unique_ptr<STroncon> lireTroncon(std::int64_t debut)
{
    auto t = std::make_unique<STroncon>();
    const std::int64_t fin = debut + kTroncon;  // excluded
    std::optional<std::int64_t> avant = decalageBibliotheque(debut);
    if (!avant) {
        t->fiable = false;
        return t;
    }
    t->changements.push_back({debut, *avant});
    for (std::int64_t lu = debut; lu < fin - 1;) {
        const std::int64_t suivant = std::min(lu + 3600, fin - 1);
        std::optional<std::int64_t> apres = decalageBibliotheque(suivant);
        if (!apres) {
            t->fiable = false;
            return t;
        }
        if (*apres == *avant) {
            lu = suivant;
            continue;
        }
        // The first second of another offset, between the two readings; the reading
        // goes on from there, should the offset change again within the hour.
        std::int64_t bas = lu, haut = suivant;
        while (haut - bas > 1) {
            const std::int64_t milieu = bas + (haut - bas) / 2;
            const std::optional<std::int64_t> d = decalageBibliotheque(milieu);
            if (!d) {
                t->fiable = false;
                return t;
            }
            if (*d == *avant) {
                bas = milieu;
            } else {
                haut = milieu;
                apres = d;
            }
        }
        t->changements.push_back({haut, *apres});
        avant = apres;
        lu = haut;
    }
    return t;
}

const STroncon& troncon(std::size_t i)
{
    if (const STroncon* t = troncons[i].load(std::memory_order_acquire))
        return *t;
    std::lock_guard verrou(verrouConstruction);
    if (const STroncon* t = troncons[i].load(std::memory_order_acquire))
        return *t;
    construits.push_back(lireTroncon(kDebut + static_cast<std::int64_t>(i) * kTroncon));
    troncons[i].store(construits.back().get(), std::memory_order_release);
    return *construits.back();
}

} // namespace

std::optional<std::int64_t> decalageFuseau(std::int64_t secondes)
{
    if (secondes < kDebut || secondes >= kFin)
        return std::nullopt;
    const STroncon& t = troncon(static_cast<std::size_t>((secondes - kDebut) >> kBitsTroncon));
    if (!t.fiable)
        return std::nullopt;
    std::int64_t decalage = t.changements.front().decalage;
    for (const SChangement& c : t.changements) {
        if (c.debut > secondes)
            break;
        decalage = c.decalage;
    }
    return decalage;
}

void oublierDecalages()
{
    std::lock_guard verrou(verrouConstruction);
    for (auto& t : troncons)
        t.store(nullptr, std::memory_order_relaxed);
    construits.clear();
}
