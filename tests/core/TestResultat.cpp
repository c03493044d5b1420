// The result of what can fail: a failure keeps its reason whole, a success its value,
// and a result assigned again is what it was last given (a caller keeps one variable
// across a load then a save).

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Resultat.h"

namespace {

CResultat<std::unique_ptr<int>> fabriquer(int n)
{
    if (n < 0)
        return echec("le nombre " + std::to_string(n) + " est négatif");
    return std::make_unique<int>(n);
}

} // namespace

TEST(Resultat, ValeurOuRaison)
{
    struct SCas {
        int n;
        bool reussi;
        const char* raison;
    } cas[] = {{3, true, ""}, {0, true, ""}, {-2, false, "le nombre -2 est négatif"}};
    for (const SCas& c : cas) {
        const auto r = fabriquer(c.n);
        ASSERT_EQ(static_cast<bool>(r), c.reussi) << c.n;
        if (c.reussi)
            EXPECT_EQ(*r.valeur(), c.n);
        else
            EXPECT_EQ(r.raison(), c.raison);
    }
}

TEST(Resultat, SansValeurReaffecte)
{
    CResultat<> r;
    EXPECT_TRUE(r);
    r = echec("premier « échec »");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.raison(), "premier « échec »");
    r = CResultat<>();
    EXPECT_TRUE(r);
    r = echec("");
    EXPECT_FALSE(r) << "an empty reason is still a failure";
}
