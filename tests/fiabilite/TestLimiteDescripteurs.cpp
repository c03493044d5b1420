// An update with fewer descriptors than the tree is deep (prlimit --nofile), as an
// ordinary user: the walk on one thread holds one a level, and the folder it cannot
// open stops the update, which says which and why, exits 2 and keeps the previous
// snapshot, rather than saving the tree cut at that depth. A soft limit that may be
// raised is raised: the pool then captures the whole tree.

#include <sys/stat.h>

#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/UtilisateurOrdinaire.h"
#include "tests/commun/CDossierTemporaire.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(LimiteDescripteurs, UneMiseAJourQuiNePeutOuvrirUnDossierGardeLeSnapshot)
{
    const auto prlimit = trouverProgramme("prlimit");
    if (!prlimit || !commeUtilisateurOrdinaire({}))
        GTEST_SKIP() << "prlimit ou setpriv est absent de cette machine";
    CDossierTemporaire d;
    ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
    ASSERT_TRUE(donnerAUtilisateurOrdinaire(d.chemin()));
    std::string niveau = d.sous("arbre");
    for (int i = 0; i < 60; ++i, niveau += "/n") {
        ASSERT_EQ(mkdir(niveau.c_str(), 0755), 0);
        std::ofstream(niveau + "/f" + std::to_string(i)) << "x";
    }
    const std::string catalogue = d.sous("cd.kbt");
    const auto cli = [&](const std::string& limite, std::vector<std::string> args) {
        args.insert(args.begin(), {*prlimit, "--nofile=" + limite, "--", NORVANEL_CLI});
        CProcessusEnfant enfant(*commeUtilisateurOrdinaire(args));
        const int code = enfant.attendre();
        return std::pair{code, enfant.sortie()};
    };
    ASSERT_EQ(cli("1024", {"new", catalogue}).first, 0);
    ASSERT_EQ(cli("1024", {"add", catalogue, d.sous("arbre")}).first, 0);
    const auto avant = cli("1024", {"tree", catalogue});
    ASSERT_EQ(avant.first, 0);
    ASSERT_NE(avant.second.find("\n" + std::string(2 + 2 * 59, ' ') + "n\n"), std::string::npos) << avant.second;

#if !defined(__SANITIZE_ADDRESS__)
    // (Not under the sanitizers: with every descriptor taken, their own checks, which
    // need a pipe, report memory they cannot read as invalid.)
    const auto coupee = cli("20:20", {"update", catalogue, "--threads", "1"});
    EXPECT_EQ(coupee.first, 2) << coupee.second;
    EXPECT_NE(coupee.second.find("n'a pas pu être lu (ce programme a trop de fichiers ouverts) : la requête"),
              std::string::npos)
        << coupee.second;
    EXPECT_EQ(cli("1024", {"tree", catalogue}), avant);
#endif

    // A pool within the hard limit, the soft one raised at need.
    const auto pool = cli("12:1024", {"update", catalogue, "--threads", "2"});
    EXPECT_EQ(pool.first, 0) << pool.second;
    EXPECT_EQ(cli("1024", {"tree", catalogue}), avant);
}

} // namespace
