#pragma once
// How a volume serial number is written for the user.

#include <cstdint>
#include <string>

// "%X-%X" of the high and low 16-bit halves: 0x0A1B2C3D -> "A1B-2C3D", 0 -> "0-0".
std::string texteNumeroSerie(std::uint32_t numero);
