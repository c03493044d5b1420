#include "model/CDate.h"
#include "model/CDateHeure.h"

#include <gtest/gtest.h>

namespace {

struct SValidation {
    CDate date;
    EValiditeDate attendu;
};

TEST(ValidationDate, JoursMoisAnneesEtBissextiles)
{
    const SValidation table[] = {
        {{29, 2, 2000}, EValiditeDate::Valide},  // divisible by 400
        {{29, 2, 2004}, EValiditeDate::Valide},
        {{29, 2, 2100}, EValiditeDate::JourInvalide}, // divisible by 100 only
        {{29, 2, 2003}, EValiditeDate::JourInvalide},
        {{28, 2, 2003}, EValiditeDate::Valide},
        {{30, 2, 2000}, EValiditeDate::JourInvalide},
        {{31, 4, 2003}, EValiditeDate::JourInvalide},
        {{30, 4, 2003}, EValiditeDate::Valide},
        {{31, 12, 2003}, EValiditeDate::Valide},
        {{32, 1, 2003}, EValiditeDate::JourInvalide},
        {{1, 13, 2003}, EValiditeDate::MoisInvalide},
        {{1, 0, 2003}, EValiditeDate::MoisInvalide},
        {{31, 13, 2003}, EValiditeDate::MoisInvalide}, // the length of month 13 is not asked
        {{1, 1, 1969}, EValiditeDate::AnneeInvalide},
        {{1, 1, 1970}, EValiditeDate::Valide},
        {{31, 12, 2106}, EValiditeDate::Valide},
        {{1, 1, 2107}, EValiditeDate::AnneeInvalide},
        {{0, 1, 2003}, EValiditeDate::JourInvalide},
        {{0, 13, 2003}, EValiditeDate::JourInvalide}, // day 0 is blamed before the month
        {{0, 0, 0}, EValiditeDate::JourInvalide},
        {{31, 4, 1900}, EValiditeDate::JourInvalide}, // the day before the year
        {{29, 2, 1900}, EValiditeDate::JourInvalide},
        {{1, 2, 1900}, EValiditeDate::AnneeInvalide},
        {{1, 0, 1900}, EValiditeDate::MoisInvalide}, // the month before the year
        {{4294967295u, 1, 2003}, EValiditeDate::JourInvalide},
        {{1, 4294967295u, 2003}, EValiditeDate::MoisInvalide},
    };
    for (const SValidation& v : table)
        EXPECT_EQ(v.date.valider(), v.attendu) << v.date.jour << '/' << v.date.mois << '/' << v.date.annee;
}

TEST(ValidationDate, LongueursDesMois)
{
    const std::uint32_t attendues[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (std::uint32_t m = 1; m <= 12; ++m)
        EXPECT_EQ(joursDansMois(m, 2003), attendues[m - 1]) << m;
    EXPECT_EQ(joursDansMois(2, 2000), 29u);
    EXPECT_EQ(joursDansMois(2, 1900), 28u);
    EXPECT_TRUE(estBissextile(2400));
    EXPECT_FALSE(estBissextile(2200));
}

TEST(OrdreDates, AnneePuisMoisPuisJour)
{
    EXPECT_LT((CDate{31, 12, 2002}), (CDate{1, 1, 2003}));
    EXPECT_LT((CDate{28, 1, 2003}), (CDate{1, 2, 2003}));
    EXPECT_LT((CDate{1, 2, 2003}), (CDate{2, 2, 2003}));
    EXPECT_FALSE((CDate{2, 2, 2003}) < (CDate{2, 2, 2003}));
    EXPECT_LT((CDate{1, 1, 2003}), (CDate{1, 1, 4294967295u})); // unsigned comparison
    EXPECT_EQ(comparer3(CDate{31, 12, 2002}, CDate{1, 1, 2003}), -1);
    EXPECT_EQ(comparer3(CDate{1, 1, 2003}, CDate{31, 12, 2002}), 1);
    EXPECT_EQ(comparer3(CDate{1, 1, 2003}, CDate{1, 1, 2003}), 0);
    EXPECT_EQ((CDate{1, 1, 2003}), (CDate{1, 1, 2003}));
    EXPECT_NE((CDate{1, 1, 2003}), (CDate{2, 1, 2003}));
}

TEST(OrdreDates, DateHeureJusquALaSeconde)
{
    const CDateHeure avant{{10, 3, 2003}, 23, 59, 1};
    const CDateHeure apres{{10, 3, 2003}, 23, 59, 2};
    EXPECT_NE(avant, apres);
    EXPECT_LT(avant, apres);
    EXPECT_EQ(comparer3(avant, apres), -1);
    EXPECT_EQ(comparer3(apres, avant), 1);
    EXPECT_EQ(comparer3(avant, avant), 0);
    EXPECT_EQ(avant, (CDateHeure{{10, 3, 2003}, 23, 59, 1}));

    // The date outweighs the time of day, the hour the minute, the minute the second.
    EXPECT_LT((CDateHeure{{9, 3, 2003}, 23, 59, 59}), (CDateHeure{{10, 3, 2003}, 0, 0, 0}));
    EXPECT_LT((CDateHeure{{10, 3, 2003}, 1, 59, 59}), (CDateHeure{{10, 3, 2003}, 2, 0, 0}));
    EXPECT_LT((CDateHeure{{10, 3, 2003}, 1, 1, 59}), (CDateHeure{{10, 3, 2003}, 1, 2, 0}));
    EXPECT_LT((CDateHeure{{31, 12, 2002}, 0, 0, 0}), (CDateHeure{{1, 1, 2003}, 0, 0, 0}));
}

} // namespace
