#include "platform/TexteTaille.h"

#include <gtest/gtest.h>

namespace {

struct SCas {
    std::uint32_t taille;
    const char* attendu;
};

TEST(TexteTaille, OctetsPuisTroisChiffresTronques)
{
    const SCas table[] = {
        {0, "0 octets"},
        {1, "1 octets"},
        {1023, "1023 octets"},
        {1024, "1,00 Ko"},
        {1536, "1,50 Ko"},
        {2047, "1,99 Ko"}, // cut, not rounded to "2,00 Ko"
        {10239, "9,99 Ko"},
        {10240, "10,0 Ko"},
        {16282, "15,9 Ko"},
        {102399, "99,9 Ko"},
        {102400, "100 Ko"},
        {153600, "150 Ko"},
        {1023999, "999 Ko"},
        {1024000, "0,97 Mo"}, // 1000 Ko would need four digits
        {1048575, "0,99 Mo"},
        {1048576, "1,00 Mo"},
        {15 * 1048576 + 943719, "15,9 Mo"},
        {1073741823, "0,99 Go"},
        {1073741824, "1,00 Go"},
        {4294967295u, "3,99 Go"},
    };
    for (const SCas& c : table)
        EXPECT_EQ(texteTaille(c.taille), c.attendu) << c.taille;
}

// Whatever the size, the text has at most three significant digits and fits the
// 20-character column buffer.
TEST(TexteTaille, JamaisPlusDeTroisChiffresAuDelaDe1023)
{
    for (std::uint64_t t = 1024; t <= 0xFFFFFFFFull; t = t * 3 / 2 + 7) {
        const std::string texte = texteTaille(std::uint32_t(t));
        int chiffres = 0;
        for (char c : texte)
            chiffres += c >= '0' && c <= '9';
        EXPECT_LE(chiffres, 3) << t << " -> " << texte;
        EXPECT_LT(texte.size(), 20u);
    }
}

} // namespace
