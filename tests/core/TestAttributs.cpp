#include "model/Attributs.h"

#include "platform/CPlateforme.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string lettres(std::uint32_t masque)
{
    char texte[5] = {'x', 'x', 'x', 'x', 'x'};
    lettresDepuisMasque(masque, texte);
    return texte;
}

TEST(Attributs, LettresDansLOrdreRHSA)
{
    EXPECT_EQ(lettres(0), "");
    EXPECT_EQ(lettres(0x20), "A");
    EXPECT_EQ(lettres(0x1 | 0x2 | 0x4 | 0x20), "RHSA");
    EXPECT_EQ(lettres(0x20 | 0x1), "RA");
    EXPECT_EQ(lettres(0x4 | 0x2), "HS");
    EXPECT_EQ(lettres(kAttrDossier), ""); // only the four letters are kept
    EXPECT_EQ(lettres(0xFFFFFFFFu), "RHSA");
}

TEST(Attributs, MasqueDepuisLettres)
{
    const char tout[5] = "RHSA";
    EXPECT_EQ(masqueDepuisLettres(tout), 0x27u);
    const char archive[5] = "A";
    EXPECT_EQ(masqueDepuisLettres(archive), 0x20u);
    const char vide[5] = "";
    EXPECT_EQ(masqueDepuisLettres(vide), 0u);
    const char desordre[5] = "AxSr"; // order does not matter; other characters add nothing
    EXPECT_EQ(masqueDepuisLettres(desordre), 0x24u);
    const char apresLeZero[5] = {'R', '\0', 'H', 'S', 'A'};
    EXPECT_EQ(masqueDepuisLettres(apresLeZero), 0x1u);
    const char sansZero[5] = {'R', 'H', 'S', 'A', 'H'}; // never read beyond the five
    EXPECT_EQ(masqueDepuisLettres(sansZero), 0x27u);
}

TEST(Attributs, AllerRetour)
{
    for (std::uint32_t masque = 0; masque < 0x40; ++masque) {
        char texte[5];
        lettresDepuisMasque(masque, texte);
        EXPECT_EQ(masqueDepuisLettres(texte), masque & 0x27u) << masque;
    }
}

} // namespace
