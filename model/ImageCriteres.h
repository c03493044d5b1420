#pragma once
// The 164-byte image of a query's advanced criteria in a catalogue file.

#include <cstddef>

class CCriteres;

inline constexpr std::size_t kTailleImageCriteres = 164;

// The pattern and target words are written as zero.
void ecrireImageCriteres(const CCriteres& criteres, unsigned char* image);

// Restores every stored field; the pattern comes back empty and the target cleared.
void lireImageCriteres(const unsigned char* image, CCriteres& criteres);
