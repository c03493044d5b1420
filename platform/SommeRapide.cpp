#include "platform/SommeRapide.h"

#include <array>
#include <cstring>

std::uint64_t sommeRapide(std::string_view octets)
{
    constexpr std::uint64_t kPremier = 0x9E3779B97F4A7C15ull;
    std::array<std::uint64_t, 4> voies = {1, 2, 3, 4};
    std::size_t i = 0;
    for (; i + 32 <= octets.size(); i += 32)
        for (std::size_t v = 0; v < 4; ++v) {
            std::uint64_t mot;
            std::memcpy(&mot, octets.data() + i + 8 * v, 8);
            voies[v] = ((voies[v] ^ mot) * kPremier);
            voies[v] ^= voies[v] >> 29;
        }
    std::uint64_t h = octets.size();
    for (; i < octets.size(); ++i)
        h = (h ^ static_cast<unsigned char>(octets[i])) * kPremier;
    for (std::uint64_t v : voies)
        h = ((h ^ v) * kPremier) ^ (h >> 31);
    return h;
}
