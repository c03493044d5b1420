#pragma once
// The attribute letters of a file entry ("R", "H", "S", "A", in that order) and the
// 32-bit mask that stores them (the kAttr* bits).

#include <cstdint>

// Fills `lettres` with the letters of the read-only, hidden, system and archive bits of
// `masque`, in that order, followed by a zero. Every other bit is ignored.
void lettresDepuisMasque(std::uint32_t masque, char (&lettres)[5]);

// The mask of the letters up to the first zero (at most five characters are read):
// 0x1 for R, 0x2 for H, 0x4 for S, 0x20 for A; any other character adds nothing.
std::uint32_t masqueDepuisLettres(const char (&lettres)[5]);
