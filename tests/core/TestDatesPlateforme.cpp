#include "model/CDate.h"
#include "model/CDateHeure.h"
#include "model/CPlageDates.h"

#include "PlateformeFixe.h"

#include <gtest/gtest.h>

namespace {

using DatesDeLaPlateforme = AvecPlateformeFixe;

TEST_F(DatesDeLaPlateforme, AujourdhuiGardeLaDateSeulement)
{
    EXPECT_EQ(aujourdhui(), (CDate{10, 3, 2003}));
}

TEST_F(DatesDeLaPlateforme, PlageParDefautInactiveDAujourdhuiAAujourdhui)
{
    const CPlageDates plage = CPlageDates::parDefaut();
    EXPECT_FALSE(plage.actif);
    EXPECT_EQ(plage.du, (CDate{10, 3, 2003}));
    EXPECT_EQ(plage.au, (CDate{10, 3, 2003}));
}

TEST_F(DatesDeLaPlateforme, ConversionsDesTempsDeFichier)
{
    const TempsFichier t = tempsFichierDepuisUnix(1078099198);
    EXPECT_EQ(dateHeureDepuisTempsFichier(t), (CDateHeure{{29, 2, 2004}, 23, 59, 58}));
    EXPECT_EQ(dateDepuisTempsFichier(t), (CDate{29, 2, 2004}));
    ASSERT_EQ(plateforme_.tempsConvertis.size(), 2u);
    EXPECT_EQ(plateforme_.tempsConvertis[0], t); // the file's own time goes to the platform
    EXPECT_EQ(plateforme_.tempsConvertis[1], t);
}

TEST_F(DatesDeLaPlateforme, TextesDeDateEtDHeure)
{
    EXPECT_EQ((CDate{5, 3, 2003}).texte(), "05/03/2003");
    EXPECT_EQ((CDateHeure{{5, 3, 2003}, 9, 7, 59}).texte(), "05/03/2003 09:07"); // no seconds
}

} // namespace
