// The byte-wise order of many texts, against a stable comparison sort, on sets made to
// reach every path of the radix sort: buckets large and small, keys that agree past
// their sixteen or thirty-two bytes, texts that end inside a key, zero and 0xFF bytes,
// duplicates, and prefixes long enough to run deep.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/OrdreTextes.h"

namespace {

std::vector<int> ordreDeReference(const std::vector<std::string_view>& textes, bool croissant)
{
    std::vector<int> ordre(textes.size());
    std::iota(ordre.begin(), ordre.end(), 0);
    std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) {
        return croissant ? textes[a] < textes[b] : textes[b] < textes[a];
    });
    return ordre;
}

// Texts built from a few pieces, so that many share long beginnings or are equal.
std::vector<std::string> textesAuHasard(std::size_t n, unsigned graine)
{
    std::mt19937 alea(graine);
    const std::string morceaux[] = {"", "a", "b", std::string(1, '\0'), "\xff", "IMG_", "copie de sécurité ",
                                    std::string(29, 'x'), std::string(31, 'x'), "é", "2026"};
    std::vector<std::string> textes;
    for (std::size_t i = 0; i < n; ++i) {
        std::string t;
        const unsigned parties = alea() % 6;
        for (unsigned p = 0; p < parties; ++p)
            t += morceaux[alea() % std::size(morceaux)];
        textes.push_back(std::move(t));
    }
    return textes;
}

std::vector<std::string> prefixesCroissants(std::size_t n)
{
    std::vector<std::string> textes;
    for (std::size_t k = n; k > 0; --k)
        textes.push_back(std::string(k, 'z') + (k % 2 ? "" : std::string(1, '\0')));
    std::shuffle(textes.begin(), textes.end(), std::mt19937(7));
    return textes;
}

TEST(OrdreTextes, ConformeAUnTriStableDeReference)
{
    struct SCas {
        const char* quoi;
        std::vector<std::string> textes;
    };
    const SCas cas[] = {
        {"aucun", {}},
        {"égaux dans l'ordre de la liste", {"b", "a", "b", "", "a", ""}},
        {"zéros et fin de texte", {"a", std::string("a\0", 2), std::string("a\0\0", 3), "a\x01", "", std::string(1, '\0')}},
        {"petit ensemble", textesAuHasard(25, 1)},
        {"grands seaux", textesAuHasard(30000, 2)},
        {"préfixes longs et profonds", prefixesCroissants(3000)},
    };
    for (const SCas& c : cas) {
        const std::vector<std::string_view> vues(c.textes.begin(), c.textes.end());
        for (bool croissant : {true, false})
            EXPECT_EQ(ordreDesTextes(vues, croissant), ordreDeReference(vues, croissant))
                << c.quoi << (croissant ? ", croissant" : ", décroissant");
    }
}

} // namespace
