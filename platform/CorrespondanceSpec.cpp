#include "platform/CorrespondanceSpec.h"

#include <algorithm>
#include <array>

namespace {

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

// Reads the character at `p` (p < fin). Overlong forms and code points above U+10FFFF
// are not characters; their first byte stands alone.
inline SCaractere lireCaractere(const Octet* p, const Octet* fin)
{
    const char32_t b0 = p[0];
    if (b0 < 0x80)
        return {b0, 1};
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (estSuite(p + 1, fin))
            return {((b0 & 0x1F) << 6) | (p[1] & 0x3F), 2};
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (estSuite(p + 1, fin) && estSuite(p + 2, fin) && !(b0 == 0xE0 && p[1] < 0xA0))
            return {((b0 & 0x0F) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3F), 3};
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (estSuite(p + 1, fin) && estSuite(p + 2, fin) && estSuite(p + 3, fin)
            && !(b0 == 0xF0 && p[1] < 0x90) && !(b0 == 0xF4 && p[1] > 0x8F))
            return {((b0 & 0x07) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3F), 4};
    }
    return {kBaseOctetIsole + b0, 1};
}

// Small-letter form of every code point below U+0180: ASCII, Latin-1 Supplement and
// Latin Extended-A. Dotted and dotless i (U+0130, U+0131) and the long s (U+017F) keep
// their own form: no character beyond ASCII folds to an ASCII one, which lets the
// matcher compare ASCII parts of a spec byte by byte.
constexpr std::array<char16_t, 0x180> construireTablePli()
{
    std::array<char16_t, 0x180> t{};
    for (unsigned c = 0; c < t.size(); ++c)
        t[c] = char16_t(c);
    auto paires = [&t](unsigned premiere, unsigned derniere) {
        for (unsigned c = premiere; c < derniere; c += 2)
            t[c] = char16_t(c + 1);
    };
    for (unsigned c = 'A'; c <= 'Z'; ++c)
        t[c] = char16_t(c + 0x20);
    for (unsigned c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // the multiplication sign
            t[c] = char16_t(c + 0x20);
    paires(0x100, 0x12F); // A macron .. i ogonek
    paires(0x132, 0x137); // IJ .. k cedilla
    paires(0x139, 0x148); // L acute .. n caron
    paires(0x14A, 0x177); // Eng .. y circumflex
    t[0x178] = 0xFF;      // Y diaeresis
    paires(0x179, 0x17E); // Z acute .. z caron
    return t;
}

constexpr std::array<char16_t, 0x180> kTablePli = construireTablePli();

inline char32_t plier(char32_t c) { return c < kTablePli.size() ? kTablePli[c] : c; }

// Where the star followed by the pattern character `m` may stop swallowing, from the
// character boundary `s` on. ASCII only ever matches ASCII, so the path bytes that
// cannot match are skipped in a tight loop; the result is still a character boundary.
inline const Octet* premierCandidat(const Octet* s, const Octet* sFin, Octet m)
{
    if (m == '?')
        return s;
    if (m >= 0x80) {
        while (s != sFin && *s < 0x80)
            ++s;
        return s;
    }
    const auto bas = Octet(kTablePli[m]);
    const auto haut = Octet(bas >= 'a' && bas <= 'z' ? bas - 0x20 : bas);
    while (s != sFin && *s != bas && *s != haut)
        ++s;
    return s;
}

// When the spec ends with a star and then ASCII characters without '?' (as "*.doc"),
// those must be the last bytes of the path: checks them and leaves the path without
// them and the spec up to that star included. False when they differ.
bool retirerFinFixe(const Octet*& sFin, const Octet* s, const Octet*& mFin, const Octet* m)
{
    const Octet* finFixe = mFin;
    while (finFixe != m && finFixe[-1] != '*') {
        if (finFixe[-1] >= 0x80 || finFixe[-1] == '?')
            return true;
        --finFixe;
    }
    if (finFixe == m) // no star: the general loop anchors both ends already
        return true;
    const auto longueur = mFin - finFixe;
    if (sFin - s < longueur)
        return false;
    const Octet* c = sFin - longueur;
    for (const Octet* p = finFixe; p != mFin; ++p, ++c)
        if (*c >= 0x80 || kTablePli[*c] != kTablePli[*p])
            return false;
    sFin -= longueur;
    mFin = finFixe;
    return true;
}

// Matches one spec against the whole path. On a mismatch only the last star seen is
// given one more character: earlier stars never need to, which keeps the cost at
// most the product of the two lengths.
bool correspondUnSpec(const Octet* s, const Octet* sFin, const Octet* m, const Octet* mFin)
{
    if (!retirerFinFixe(sFin, s, mFin, m))
        return false;
    const Octet* apresEtoile = nullptr; // pattern just after the last star
    const Octet* repriseChemin = nullptr; // path position where that star stops for now
    while (s != sFin) {
        if (m != mFin) {
            if (*m == '*') {
                do
                    ++m;
                while (m != mFin && *m == '*');
                if (m == mFin)
                    return true;
                apresEtoile = m;
                s = repriseChemin = premierCandidat(s, sFin, *m);
                continue;
            }
            const SCaractere cs = lireCaractere(s, sFin);
            if (*m == '?') {
                ++m;
                s += cs.longueur;
                continue;
            }
            const SCaractere cm = lireCaractere(m, mFin);
            if (cm.code == cs.code || plier(cm.code) == plier(cs.code)) {
                m += cm.longueur;
                s += cs.longueur;
                continue;
            }
        }
        if (apresEtoile == nullptr)
            return false;
        repriseChemin += lireCaractere(repriseChemin, sFin).longueur;
        s = repriseChemin = premierCandidat(repriseChemin, sFin, *apresEtoile);
        m = apresEtoile;
    }
    while (m != mFin && *m == '*')
        ++m;
    return m == mFin;
}

} // namespace

bool correspondSpec(std::string_view chemin, std::string_view motif)
{
    const auto* s = reinterpret_cast<const Octet*>(chemin.data());
    const auto* sFin = s + chemin.size();
    const char* m = motif.data();
    const char* fin = m + motif.size();
    bool specVu = false;
    for (;;) {
        while (m != fin && *m == ' ')
            ++m;
        const char* finSpec = std::find(m, fin, ';');
        if (finSpec != m) {
            specVu = true;
            const std::string_view spec(m, std::size_t(finSpec - m));
            if (spec == "*.*"
                || correspondUnSpec(s, sFin, reinterpret_cast<const Octet*>(m),
                                    reinterpret_cast<const Octet*>(finSpec)))
                return true;
        }
        if (finSpec == fin)
            return !specVu;
        m = finSpec + 1;
    }
}
