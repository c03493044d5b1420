#include "platform/SommeRapide.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint64_t kPremier = 0x9E3779B97F4A7C15ull;
}

void CSommeRapide::bloc(const char* octets)
{
    for (std::size_t v = 0; v < 4; ++v) {
        std::uint64_t mot;
        std::memcpy(&mot, octets + 8 * v, 8);
        voies_[v] = ((voies_[v] ^ mot) * kPremier);
        voies_[v] ^= voies_[v] >> 29;
    }
}

void CSommeRapide::ajouter(std::string_view octets)
{
    if (octets.empty())
        return;  // its data may be null, which memcpy may not be given
    taille_ += octets.size();
    if (dansReste_ > 0) {
        const std::size_t pris = std::min(octets.size(), reste_.size() - dansReste_);
        std::memcpy(reste_.data() + dansReste_, octets.data(), pris);
        dansReste_ += pris;
        octets.remove_prefix(pris);
        if (dansReste_ < reste_.size())
            return;
        bloc(reste_.data());
        dansReste_ = 0;
    }
    for (; octets.size() >= 32; octets.remove_prefix(32))
        bloc(octets.data());
    std::memcpy(reste_.data(), octets.data(), octets.size());
    dansReste_ = octets.size();
}

std::uint64_t CSommeRapide::valeur() const
{
    std::uint64_t h = taille_;
    for (std::size_t i = 0; i < dansReste_; ++i)
        h = (h ^ static_cast<unsigned char>(reste_[i])) * kPremier;
    for (std::uint64_t v : voies_)
        h = ((h ^ v) * kPremier) ^ (h >> 31);
    return h;
}

std::uint64_t sommeRapide(std::string_view octets)
{
    CSommeRapide s;
    s.ajouter(octets);
    return s.valeur();
}
