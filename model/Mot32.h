#pragma once
// 32-bit words of the catalogue images: little-endian whatever the host's byte order.

#include <cstdint>

inline void ecrireMot32(unsigned char* octets, std::uint32_t valeur)
{
    octets[0] = static_cast<unsigned char>(valeur);
    octets[1] = static_cast<unsigned char>(valeur >> 8);
    octets[2] = static_cast<unsigned char>(valeur >> 16);
    octets[3] = static_cast<unsigned char>(valeur >> 24);
}

inline std::uint32_t lireMot32(const unsigned char* octets)
{
    return std::uint32_t(octets[0]) | std::uint32_t(octets[1]) << 8 | std::uint32_t(octets[2]) << 16
         | std::uint32_t(octets[3]) << 24;
}
