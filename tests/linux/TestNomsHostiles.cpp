// Names that break naive code, captured from disk and kept byte for byte through a
// save and a load.

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "storage/FichierCatalogue.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Lignes = std::vector<std::string>;

const Lignes kNoms = {
    "caf\xE9",            // Latin-1, not UTF-8
    "\xFF\xFE\x80",       // no character at all
    "a\xC3",              // a cut UTF-8 sequence
    "ligne\nsuivante",    // newline
    "retour\r",           // carriage return
    "-rf",                // read as options by careless tools
    "--help",
    "#diese",             // comment, URL fragment
    "%s%n%25",            // format and URL escapes
    "$(touch pirate)",    // shell substitutions
    "`touch pirate`",
    "a;touch pirate",
    "'\"",                // quotes
    " espace ",
    "日本語",             // outside Windows-1252
};

class NomsHostiles : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(mkdir(d.sous("dossier\n-#%$(x)").c_str(), 0755), 0);
        for (const std::string& nom : kNoms) {
            std::ofstream(d.sous(nom)) << "x";
            std::ofstream(d.sous("dossier\n-#%$(x)/" + nom)) << "x";
        }
    }

    static Lignes attendu()
    {
        Lignes lignes = {"d dossier\n-#%$(x)"};
        for (const std::string& nom : kNoms) {
            lignes.push_back("f " + nom);
            lignes.push_back("f dossier\n-#%$(x)/" + nom);
        }
        std::sort(lignes.begin(), lignes.end());
        return lignes;
    }

    CDossierTemporaire d;
};

TEST_P(NomsHostiles, presentsDansLeSnapshotTelsQuels)
{
    CCaptureReelle capture(d.chemin());
    ASSERT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
    EXPECT_EQ(capture.inventaire(), attendu());
    for (const CFichier* f : capture.requete().fichiers())
        EXPECT_EQ(f->chemin(), d.sous(std::string(f->nom()))) << f->chemin();
    EXPECT_NE(access(d.sous("pirate").c_str(), F_OK), 0);
}

TEST_P(NomsHostiles, identiquesOctetPourOctetApresEnregistrementEtChargement)
{
    CCaptureReelle capture(d.chemin());
    ASSERT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
    const std::string image = ecrireCatalogue(capture.document());

    CDoc relu;
    const auto resultat = lireCatalogue(relu, image);
    ASSERT_TRUE(resultat) << resultat.raison();
    ASSERT_EQ(relu.classeurs().nombre(), 1);
    ASSERT_EQ(relu.classeurs().elementA(0)->requetes().nombre(), 1);
    const CRequete& requete = *relu.classeurs().elementA(0)->requetes().elementA(0);
    EXPECT_EQ(requete.chemin(), d.chemin());
    EXPECT_EQ(CCaptureReelle::inventaire(requete, d.chemin()), attendu());
    EXPECT_EQ(ecrireCatalogue(relu), image);
}

INSTANTIATE_TEST_SUITE_P(Fils, NomsHostiles, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });

} // namespace
