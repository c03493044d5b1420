#include "model/EchangeDates.h"

#include <gtest/gtest.h>

namespace {

TEST(EchangeDates, LectureDUnChamp)
{
    const struct {
        const char* texte;
        std::uint32_t attendu;
    } table[] = {
        {"", 0},
        {"   ", 0},
        {"7", 7},
        {"07", 7},
        {" 12 ", 12},
        {"+5", 5},
        {"2003", 2003},
        {"-3", 0},   // never wraps to 4294967293
        {"-0", 0},
        {"-", 0},
        {"+", 0},
        {"1a", 0},
        {"a1", 0},
        {"1 2", 0},
        {"1,5", 0},
        {"2147483647", 2147483647},
        {"2147483648", 0}, // beyond what the field holds
        {"99999999999999999999", 0},
    };
    for (const auto& c : table)
        EXPECT_EQ(lireChampDate(c.texte), c.attendu) << '"' << c.texte << '"';
}

TEST(EchangeDates, DateDepuisTroisChamps)
{
    EXPECT_EQ(dateDepuisChamps("10", "03", "2003"), (CDate{10, 3, 2003}));
    EXPECT_EQ(dateDepuisChamps("", "", ""), (CDate{0, 0, 0}));
    EXPECT_EQ(dateDepuisChamps("", "", "").valider(), EValiditeDate::JourInvalide);
}

TEST(EchangeDates, TextesDesChamps)
{
    const auto champs = champsDepuisDate(CDate{1, 3, 987});
    ASSERT_TRUE(champs.has_value());
    EXPECT_EQ((*champs)[0], "01");
    EXPECT_EQ((*champs)[1], "03");
    EXPECT_EQ((*champs)[2], "0987");
    EXPECT_EQ((*champsDepuisDate(CDate{31, 12, 2106}))[2], "2106");
    EXPECT_EQ((*champsDepuisDate(CDate{4294967295u, 1, 2003}))[0], "4294967295");
}

TEST(EchangeDates, DateIncompleteLaisseLesChamps)
{
    EXPECT_FALSE(champsDepuisDate(CDate{0, 0, 0}).has_value());
    EXPECT_FALSE(champsDepuisDate(CDate{0, 3, 2003}).has_value());
    EXPECT_FALSE(champsDepuisDate(CDate{10, 0, 2003}).has_value());
    EXPECT_FALSE(champsDepuisDate(CDate{10, 3, 0}).has_value());
}

TEST(EchangeDates, PlageValideCochee)
{
    const auto lu = plageDepuisChamps(true, {"10", "3", "2003", "20", "03", "2003"});
    ASSERT_TRUE(std::holds_alternative<CPlageDates>(lu));
    EXPECT_EQ(std::get<CPlageDates>(lu), (CPlageDates{true, {10, 3, 2003}, {20, 3, 2003}}));
}

TEST(EchangeDates, FocusSurLeChampFautifDeLaPremiereDateInvalide)
{
    const struct {
        ChampsPlage champs;
        int champ;
    } table[] = {
        {{"", "", "", "", "", ""}, 0},
        {{"31", "4", "2003", "1", "1", "2003"}, 0},
        {{"1", "13", "2003", "1", "1", "2003"}, 1},
        {{"1", "1", "1969", "1", "1", "2003"}, 2},
        {{"1", "1", "2003", "29", "2", "2100"}, 3},
        {{"1", "1", "2003", "1", "0", "2003"}, 4},
        {{"1", "1", "2003", "1", "1", "2107"}, 5},
        {{"1", "13", "2003", "0", "1", "2003"}, 1}, // the start date is checked first
        {{"-3", "13", "2003", "1", "1", "2003"}, 0}, // a negative day reads as no day
    };
    for (const auto& c : table) {
        const auto lu = plageDepuisChamps(true, c.champs);
        ASSERT_TRUE(std::holds_alternative<SDateInvalide>(lu)) << c.champ;
        EXPECT_EQ(std::get<SDateInvalide>(lu).champ, c.champ);
    }
}

TEST(EchangeDates, PlageDecocheeLueSansValidation)
{
    const auto lu = plageDepuisChamps(false, {"", "13", "1969", "31", "4", "x"});
    ASSERT_TRUE(std::holds_alternative<CPlageDates>(lu));
    EXPECT_EQ(std::get<CPlageDates>(lu), (CPlageDates{false, {0, 13, 1969}, {31, 4, 0}}));
}

TEST(EchangeDates, AffichageDUnePlage)
{
    const SAffichagePlage affiche = affichageDepuisPlage(CPlageDates{true, {5, 6, 2007}, {0, 0, 0}});
    EXPECT_TRUE(affiche.coche);
    ASSERT_TRUE(affiche.du.has_value());
    EXPECT_EQ((*affiche.du)[0], "05");
    EXPECT_EQ((*affiche.du)[1], "06");
    EXPECT_EQ((*affiche.du)[2], "2007");
    EXPECT_FALSE(affiche.au.has_value());
    EXPECT_FALSE(affichageDepuisPlage(CPlageDates{}).coche);
}

// Shown then read back, a valid range comes back unchanged.
TEST(EchangeDates, AllerRetourParLesChamps)
{
    const CPlageDates plage{true, {29, 2, 2004}, {31, 12, 2106}};
    const SAffichagePlage affiche = affichageDepuisPlage(plage);
    const auto& du = *affiche.du;
    const auto& au = *affiche.au;
    const auto lu = plageDepuisChamps(affiche.coche, {du[0], du[1], du[2], au[0], au[1], au[2]});
    ASSERT_TRUE(std::holds_alternative<CPlageDates>(lu));
    EXPECT_EQ(std::get<CPlageDates>(lu), plage);
}

} // namespace
