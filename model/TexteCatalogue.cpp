#include "model/TexteCatalogue.h"

#include <cstdint>
#include <cstring>

#include "model/CRequete.h"
#include "platform/PliCasse.h"

namespace {

// Code points of Windows-1252 bytes 0x80..0x9F.
constexpr char16_t kHaut1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of a code point, or -1.
int octet1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHaut1252[i] == c)
            return 0x80 + i;
    return -1;
}

// Writes the UTF-8 form of `c` at `o` (at most four bytes); returns the end.
char* ecrireUtf8(char32_t c, char* o)
{
    if (c < 0x80) {
        *o++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *o++ = static_cast<char>(0xC0 | (c >> 6));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *o++ = static_cast<char>(0xE0 | (c >> 12));
        *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *o++ = static_cast<char>(0xF0 | (c >> 18));
        *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return o;
}

// Writes one UTF-16LE code unit at `o`; returns the end.
char* ecrireUnite(char32_t u, char* o)
{
    *o++ = static_cast<char>(u & 0xFF);
    *o++ = static_cast<char>((u >> 8) & 0xFF);
    return o;
}

// Whether the eight bytes at `p` are all ASCII.
bool huitAscii(const pli::Octet* p)
{
    std::uint64_t huit;
    std::memcpy(&huit, p, 8);
    return (huit & 0x8080808080808080ULL) == 0;
}

// How many bytes from `p` on are ASCII. Paths are mostly ASCII, even those with an
// accent somewhere: eight bytes are tested at a time, and the conversions below copy
// such runs whole.
std::size_t longueurAscii(const pli::Octet* p, const pli::Octet* fin)
{
    const pli::Octet* q = p;
    while (fin - q >= 8 && huitAscii(q))
        q += 8;
    while (q < fin && *q < 0x80)
        ++q;
    return static_cast<std::size_t>(q - p);
}

// Copies the ASCII run at `p` (the same bytes in UTF-8 and in Windows-1252) to `o`,
// and moves both past it.
void copierAscii(const pli::Octet*& p, const pli::Octet* fin, char*& o)
{
    const std::size_t n = longueurAscii(p, fin);
    std::memcpy(o, p, n);
    o += n;
    p += n;
}

// The conversions below write through a pointer into room made beforehand (an upper
// bound of what they need), then cut `s` down to what was written: one size check per
// text instead of one per byte. The string may keep spare capacity, so the archive
// converts into a buffer it reuses, never into a text that is kept.
char* agrandir(std::string& s, std::size_t debut, std::size_t auPlus)
{
    s.resize(debut + auPlus);
    return s.data() + debut;
}

void couper(std::string& s, const char* fin)
{
    s.resize(static_cast<std::size_t>(fin - s.data()));
}

} // namespace

bool versCp1252(std::string_view utf8, std::string& sortie)
{
    auto* p = reinterpret_cast<const pli::Octet*>(utf8.data());
    const pli::Octet* fin = p + utf8.size();
    // One byte per character, and every character takes at least one in UTF-8.
    const std::size_t debut = sortie.size();
    char* o = agrandir(sortie, debut, utf8.size());
    for (;;) {
        copierAscii(p, fin, o);
        if (p == fin)
            break;
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        const int octet = octet1252(c.code);
        if (octet < 0) {
            sortie.resize(debut);
            return false;
        }
        *o++ = static_cast<char>(octet);
        p += c.longueur;
    }
    couper(sortie, o);
    return true;
}

std::string versCp1252Approche(std::string_view utf8, std::size_t maximum)
{
    std::string sortie;
    auto* p = reinterpret_cast<const pli::Octet*>(utf8.data());
    const pli::Octet* fin = p + utf8.size();
    while (p != fin && sortie.size() < maximum) {
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        const int octet = octet1252(c.code);
        sortie += octet < 0 ? '?' : static_cast<char>(octet);
        p += c.longueur;
    }
    return sortie;
}

std::string etiquetteCatalogue(std::string_view nom)
{
    std::string utf8;
    depuisCp1252(versCp1252Approche(nom, kLongueurNomVolume), utf8);
    return utf8;
}

namespace {

// Whether the label field's bytes read as UTF-8 beyond ASCII, which earlier versions
// of this program wrote.
bool lueCommeUtf8(std::string_view octets)
{
    auto* p = reinterpret_cast<const pli::Octet*>(octets.data());
    const pli::Octet* fin = p + octets.size();
    bool horsAscii = false, utf8Valide = true;
    while (p != fin && utf8Valide) {
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        horsAscii = horsAscii || c.code >= 0x80;
        utf8Valide = c.code < pli::kBaseOctetIsole || c.longueur > 1;
        p += c.longueur;
    }
    return horsAscii && utf8Valide;
}

} // namespace

std::string etiquetteLue(std::string_view octets)
{
    // Read as UTF-8 only when the label that gives is saved as bytes that read back as
    // it: else a save and a load would change it ("Ã©" kept, saved as C3 A9, read as "é").
    if (lueCommeUtf8(octets)) {
        std::string utf8 = etiquetteCatalogue(octets);
        if (!lueCommeUtf8(versCp1252Approche(utf8, kLongueurNomVolume)))
            return utf8;
    }
    std::string utf8;
    depuisCp1252(octets, utf8);
    return utf8;
}

void depuisCp1252(std::string_view octets, std::string& utf8)
{
    auto* p = reinterpret_cast<const pli::Octet*>(octets.data());
    const pli::Octet* fin = p + octets.size();
    // No byte of the code page stands for a character above U+FFFF: three bytes at most.
    char* o = agrandir(utf8, utf8.size(), 3 * octets.size());
    for (;;) {
        copierAscii(p, fin, o);
        if (p == fin)
            break;
        const pli::Octet b = *p++;
        o = ecrireUtf8(b < 0xA0 ? kHaut1252[b - 0x80] : char32_t(b), o);
    }
    couper(utf8, o);
}

namespace {

// The code unit of a surrogate in its 3-byte form (ED A0..BF 80..BF) at `p`, or 0.
// That is how a lone surrogate of a wide text is held in memory; lireCaractere() reads
// those bytes as stray ones.
char32_t substitutCode(const pli::Octet* p, const pli::Octet* fin)
{
    if (fin - p < 3 || p[0] != 0xED || p[1] < 0xA0 || p[1] > 0xBF || (p[2] & 0xC0) != 0x80)
        return 0;
    return 0xD000 | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
}

bool estHaut(char32_t unite)
{
    return unite >= 0xD800 && unite < 0xDC00;
}

// Whether the surrogate `unite` at `p` goes out as that one code unit, so that a lone
// surrogate read from a file is written back as it was. Otherwise its three bytes go
// out as stray bytes (U+DCED, ...), as they did before. Two cases need that:
// U+DC80..U+DCFF alone would read back as the byte they carry; and a high surrogate
// followed by anything that starts with a low unit (a stray byte, a low surrogate)
// would read back as a pair. A run of high surrogates shares one fate, decided by what
// follows it, kept in `finHauts` / `enUnites` so that a long run is looked at once.
bool unitesSubstitut(char32_t unite, const pli::Octet* p, const pli::Octet* fin, const pli::Octet*& finHauts,
                     bool& enUnites)
{
    if (!estHaut(unite))
        return unite < 0xDC80 || unite > 0xDCFF;
    if (!finHauts || p >= finHauts) {
        finHauts = p;
        while (estHaut(substitutCode(finHauts, fin)))
            finHauts += 3;
        // A stray byte, and so a low surrogate's first byte, reads as U+DC00 + byte.
        const bool suiviDUnBas = finHauts < fin && pli::lireCaractere(finHauts, fin).longueur == 1 &&
                                 pli::lireCaractere(finHauts, fin).code >= pli::kBaseOctetIsole;
        enUnites = !suiviDUnBas;
    }
    return enUnites;
}

} // namespace

void versUtf16(std::string_view utf8, std::string& octetsLE)
{
    // Two bytes per character of one to three bytes, four for one of four: never more
    // than twice the UTF-8 size.
    char* o = agrandir(octetsLE, octetsLE.size(), 2 * utf8.size());
    auto* p = reinterpret_cast<const pli::Octet*>(utf8.data());
    const pli::Octet* fin = p + utf8.size();
    const pli::Octet* finHauts = nullptr;  // the run of high surrogates being written
    bool hautsEnUnites = false;
    while (p < fin) {
        const std::size_t ascii = longueurAscii(p, fin);
        for (std::size_t k = 0; k < ascii; ++k)
            o = ecrireUnite(p[k], o);
        p += ascii;
        if (p == fin)
            break;
        const char32_t substitut = substitutCode(p, fin);
        if (substitut && unitesSubstitut(substitut, p, fin, finHauts, hautsEnUnites)) {
            o = ecrireUnite(substitut, o);
            p += 3;
            continue;
        }
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        if (c.code >= 0x10000) {
            const char32_t v = c.code - 0x10000;
            o = ecrireUnite(0xD800 + (v >> 10), o);
            o = ecrireUnite(0xDC00 + (v & 0x3FF), o);
        } else {
            // A stray byte reads as U+DC00 + byte, which is exactly how it travels.
            o = ecrireUnite(c.code, o);
        }
        p += c.longueur;
    }
    couper(octetsLE, o);
}

void depuisUtf16(const char* octetsLE, std::size_t unites, std::string& utf8)
{
    auto unite = [octetsLE](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(octetsLE[2 * i]) |
                                     (static_cast<unsigned char>(octetsLE[2 * i + 1]) << 8));
    };
    // Three bytes at most per code unit (a pair of two gives four).
    char* o = agrandir(utf8, utf8.size(), 3 * unites);
    for (std::size_t i = 0; i < unites; ++i) {
        const char16_t u = unite(i);
        if (u < 0x80) {
            *o++ = static_cast<char>(u);
            continue;
        }
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < unites) {
            const char16_t bas = unite(i + 1);
            if (bas >= 0xDC00 && bas < 0xE000) {
                o = ecrireUtf8(0x10000 + ((char32_t(u) - 0xD800) << 10) + (bas - 0xDC00), o);
                ++i;
                continue;
            }
        }
        if (u >= 0xDC80 && u <= 0xDCFF)
            *o++ = static_cast<char>(u - 0xDC00);
        else
            o = ecrireUtf8(u, o);
    }
    couper(utf8, o);
}
