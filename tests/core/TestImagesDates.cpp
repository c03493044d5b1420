#include "model/CDate.h"
#include "model/CDateHeure.h"
#include "model/CPlageDates.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Octets = std::vector<unsigned char>;

TEST(ImagesDates, DateSurDouzeOctets)
{
    std::array<unsigned char, CDate::kTailleImage> image{};
    CDate{10, 3, 2003}.ecrireImage(image.data());
    const Octets attendu = {10, 0, 0, 0, 3, 0, 0, 0, 0xD3, 0x07, 0, 0};
    EXPECT_EQ(Octets(image.begin(), image.end()), attendu);
    EXPECT_EQ(CDate::lireImage(image.data()), (CDate{10, 3, 2003}));
}

TEST(ImagesDates, DateHeureSurTrenteSixOctets)
{
    std::array<unsigned char, CDateHeure::kTailleImage> image{};
    CDateHeure{{10, 3, 2003}, 23, 58, 57}.ecrireImage(image.data());
    const Octets attendu = {
        0x30, 0x48, 0x44, 0x00, // reserved
        23, 0, 0, 0,            // hour
        58, 0, 0, 0,            // minute
        0x28, 0x48, 0x44, 0x00, // reserved
        57, 0, 0, 0,            // second
        10, 0, 0, 0,            // day
        3, 0, 0, 0,             // month
        0xD3, 0x07, 0, 0,       // year
        0x1C, 0x48, 0x44, 0x00, // reserved
    };
    EXPECT_EQ(Octets(image.begin(), image.end()), attendu);
    EXPECT_EQ(CDateHeure::lireImage(image.data()), (CDateHeure{{10, 3, 2003}, 23, 58, 57}));
}

TEST(ImagesDates, MotsReservesIgnoresALaLecture)
{
    std::array<unsigned char, CDateHeure::kTailleImage> image{};
    const CDateHeure valeur{{29, 2, 2004}, 1, 2, 3};
    valeur.ecrireImage(image.data());
    for (std::size_t debut : {0u, 12u, 32u})
        for (std::size_t i = debut; i < debut + 4; ++i)
            image[i] = 0xEE;
    EXPECT_EQ(CDateHeure::lireImage(image.data()), valeur);
}

TEST(ImagesDates, AllerRetourDeValeursExtremes)
{
    const CDateHeure extreme{{0xFFFFFFFFu, 0x80000000u, 0x01020304u}, 0xA0B0C0D0u, 0, 0x7FFFFFFFu};
    std::array<unsigned char, CDateHeure::kTailleImage> image{};
    extreme.ecrireImage(image.data());
    EXPECT_EQ(image[28], 0x04); // least significant byte first
    EXPECT_EQ(image[31], 0x01);
    EXPECT_EQ(CDateHeure::lireImage(image.data()), extreme);
}

TEST(ImagesDates, PlageSurVingtHuitOctets)
{
    std::array<unsigned char, CPlageDates::kTailleImage> image;
    image.fill(0xEE); // the padding must be written, not left as found
    const CPlageDates plage{true, {1, 2, 2003}, {4, 5, 2006}};
    plage.ecrireImage(image.data());
    const Octets attendu = {1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0xD3, 0x07, 0, 0,
                            4, 0, 0, 0, 5, 0, 0, 0, 0xD6, 0x07, 0, 0};
    EXPECT_EQ(Octets(image.begin(), image.end()), attendu);
    EXPECT_EQ(CPlageDates::lireImage(image.data()), plage);

    CPlageDates{}.ecrireImage(image.data());
    EXPECT_EQ(image[0], 0);
    EXPECT_FALSE(CPlageDates::lireImage(image.data()).actif);
}

TEST(ImagesDates, DrapeauDePlageNonNulLuCommeActif)
{
    std::array<unsigned char, CPlageDates::kTailleImage> image{};
    image[0] = 7;
    image[1] = 0xFF; // padding ignored
    EXPECT_TRUE(CPlageDates::lireImage(image.data()).actif);
}

} // namespace
