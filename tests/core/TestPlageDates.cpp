#include "model/CPlageDates.h"

#include <gtest/gtest.h>

namespace {

TEST(PlageDates, BornesIncluses)
{
    const CPlageDates plage{true, {10, 3, 2003}, {20, 3, 2003}};
    EXPECT_TRUE(plage.contient(CDate{10, 3, 2003}));
    EXPECT_TRUE(plage.contient(CDate{15, 3, 2003}));
    EXPECT_TRUE(plage.contient(CDate{20, 3, 2003}));
    EXPECT_FALSE(plage.contient(CDate{9, 3, 2003}));
    EXPECT_FALSE(plage.contient(CDate{21, 3, 2003}));
    EXPECT_FALSE(plage.contient(CDate{15, 3, 2004}));
    EXPECT_FALSE(plage.contient(CDate{15, 2, 2003}));
}

TEST(PlageDates, UnSeulJourContientToutCeJour)
{
    const CPlageDates plage{true, {10, 3, 2003}, {10, 3, 2003}};
    EXPECT_TRUE(plage.contient(CDateHeure{{10, 3, 2003}, 23, 59, 59}));
    EXPECT_TRUE(plage.contient(CDateHeure{{10, 3, 2003}, 0, 0, 0}));
    EXPECT_FALSE(plage.contient(CDateHeure{{11, 3, 2003}, 0, 0, 0}));
    EXPECT_FALSE(plage.contient(CDateHeure{{9, 3, 2003}, 23, 59, 59}));
}

TEST(PlageDates, DebutApresFinNeContientRien)
{
    const CPlageDates plage{true, {20, 3, 2003}, {10, 3, 2003}};
    for (std::uint32_t jour = 1; jour <= 31; ++jour)
        EXPECT_FALSE(plage.contient(CDate{jour, 3, 2003})) << jour;
}

TEST(PlageDates, LeDrapeauNeChangePasLesBornes)
{
    const CPlageDates inactive{false, {10, 3, 2003}, {10, 3, 2003}};
    EXPECT_TRUE(inactive.contient(CDate{10, 3, 2003}));
    EXPECT_FALSE(inactive.contient(CDate{11, 3, 2003}));
}

TEST(PlageDates, ConstructionSimpleSansDate)
{
    const CPlageDates plage;
    EXPECT_FALSE(plage.actif);
    EXPECT_EQ(plage.du, CDate{});
    EXPECT_EQ(plage.au, CDate{});
}

} // namespace
