#include "model/TexteCatalogue.h"

#include <cstdint>

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

void ajouterUtf8(char32_t c, std::string& s)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void ajouterUnite(char16_t u, std::string& s)
{
    s += static_cast<char>(u & 0xFF);
    s += static_cast<char>(u >> 8);
}

bool estAscii(std::string_view t)
{
    for (char c : t)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

bool versCp1252(std::string_view utf8, std::string& sortie)
{
    if (estAscii(utf8)) {
        sortie.append(utf8);
        return true;
    }
    const std::size_t debut = sortie.size();
    auto* p = reinterpret_cast<const pli::Octet*>(utf8.data());
    const pli::Octet* fin = p + utf8.size();
    while (p < fin) {
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        const int o = octet1252(c.code);
        if (o < 0) {
            sortie.resize(debut);
            return false;
        }
        sortie += static_cast<char>(o);
        p += c.longueur;
    }
    return true;
}

void depuisCp1252(std::string_view octets, std::string& utf8)
{
    if (estAscii(octets)) {
        utf8.append(octets);
        return;
    }
    for (char o : octets) {
        const auto b = static_cast<unsigned char>(o);
        ajouterUtf8(b >= 0x80 && b < 0xA0 ? kHaut1252[b - 0x80] : char32_t(b), utf8);
    }
}

void versUtf16(std::string_view utf8, std::string& octetsLE)
{
    auto* p = reinterpret_cast<const pli::Octet*>(utf8.data());
    const pli::Octet* fin = p + utf8.size();
    while (p < fin) {
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        if (c.code >= 0x10000) {
            const char32_t v = c.code - 0x10000;
            ajouterUnite(static_cast<char16_t>(0xD800 + (v >> 10)), octetsLE);
            ajouterUnite(static_cast<char16_t>(0xDC00 + (v & 0x3FF)), octetsLE);
        } else {
            // A stray byte reads as U+DC00 + byte, which is exactly how it travels.
            ajouterUnite(static_cast<char16_t>(c.code), octetsLE);
        }
        p += c.longueur;
    }
}

void depuisUtf16(const char* octetsLE, std::size_t unites, std::string& utf8)
{
    auto unite = [octetsLE](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(octetsLE[2 * i]) |
                                     (static_cast<unsigned char>(octetsLE[2 * i + 1]) << 8));
    };
    for (std::size_t i = 0; i < unites; ++i) {
        const char16_t u = unite(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < unites) {
            const char16_t bas = unite(i + 1);
            if (bas >= 0xDC00 && bas < 0xE000) {
                ajouterUtf8(0x10000 + ((char32_t(u) - 0xD800) << 10) + (bas - 0xDC00), utf8);
                ++i;
                continue;
            }
        }
        if (u >= 0xDC80 && u <= 0xDCFF)
            utf8 += static_cast<char>(u - 0xDC00);
        else
            ajouterUtf8(u, utf8);
    }
}
