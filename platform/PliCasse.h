#pragma once
// Reading UTF-8 one character at a time, and folding letters to one case in every
// script (Unicode simple case folding). Shared by the path-spec matcher and by the
// name comparisons that ignore case.

#include <array>
#include <cstdint>
#include <string_view>

namespace pli {

// A byte that does not start a valid UTF-8 sequence reads as one character of its own,
// U+DC00 + byte: the same value a name gets when its stray bytes are carried as
// U+DC80..U+DCFF, so both spellings of such a name match alike.
constexpr char32_t kBaseOctetIsole = 0xDC00;

struct SCaractere {
    char32_t code;
    unsigned longueur; // bytes taken in the text
};

using Octet = unsigned char;

inline bool estSuite(const Octet* p, const Octet* fin) { return p < fin && (*p & 0xC0) == 0x80; }

// Reads the character at `p` (p < fin). Overlong forms, surrogates and code points
// above U+10FFFF are not characters; their first byte stands alone.
inline SCaractere lireCaractere(const Octet* p, const Octet* fin)
{
    const char32_t b0 = p[0];
    if (b0 < 0x80)
        return {b0, 1};
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (estSuite(p + 1, fin))
            return {((b0 & 0x1F) << 6) | (p[1] & 0x3F), 2};
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        // Not the overlong forms (E0 80..9F), nor the surrogates (ED A0..BF), which
        // are not characters: their bytes stand alone.
        if (estSuite(p + 1, fin) && estSuite(p + 2, fin) && !(b0 == 0xE0 && p[1] < 0xA0)
            && !(b0 == 0xED && p[1] > 0x9F))
            return {((b0 & 0x0F) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3F), 3};
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (estSuite(p + 1, fin) && estSuite(p + 2, fin) && estSuite(p + 3, fin)
            && !(b0 == 0xF0 && p[1] < 0x90) && !(b0 == 0xF4 && p[1] > 0x8F))
            return {((b0 & 0x07) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3F), 4};
    }
    return {kBaseOctetIsole + b0, 1};
}

// Small-letter form of the ASCII characters, for the matcher's byte-wise paths.
constexpr std::array<char, 0x80> construireTableAscii()
{
    std::array<char, 0x80> t{};
    for (unsigned c = 0; c < t.size(); ++c)
        t[c] = char(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
    return t;
}

constexpr std::array<char, 0x80> kTablePli = construireTableAscii();

// The simple case fold of a character beyond ASCII ("Д" and "д", "Σ", "σ" and "ς",
// "É" and "é" are one), from Unicode's tables. A character never folds to an ASCII
// one (the Kelvin sign, the long s, the dotted capital I keep their own form), which
// lets the matcher compare the ASCII parts of a spec byte by byte.
char32_t plierHorsAscii(char32_t c);

inline char32_t plier(char32_t c) { return c < 0x80 ? char32_t(kTablePli[c]) : plierHorsAscii(c); }

// Equal, letters compared regardless of case.
bool egalSansCasse(std::string_view a, std::string_view b);

// A hash that agrees with egalSansCasse: equal texts give equal hashes.
std::uint64_t hacherSansCasse(std::string_view texte);

} // namespace pli
