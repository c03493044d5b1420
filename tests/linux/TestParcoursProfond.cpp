// Deep trees: paths longer than the system's limit, and more levels than descriptors.

#include "model/CDoc.h"
#include "model/CRequete.h"
#include "model/Limites.h"
#include "storage/FichierCatalogue.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Makes `noms.size()` folders, each inside the previous one, below `base`, going down
// through descriptors (the full path may be too long for the system), with a file
// "fichier-N" in each; returns the path of the deepest folder.
std::string creerChaine(const std::string& base, const std::vector<std::string>& noms)
{
    std::string chemin = base;
    int fd = open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t i = 0; i < noms.size() && fd >= 0; ++i) {
        mkdirat(fd, noms[i].c_str(), 0755);
        const int sous = openat(fd, noms[i].c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = sous;
        chemin += '/' + noms[i];
        if (fd >= 0)
            close(openat(fd, ("fichier-" + std::to_string(i)).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
    if (fd >= 0)
        close(fd);
    return chemin;
}

// Each case on the calling thread alone and on pools of threads.
class ParcoursProfond : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(ParcoursProfond, cheminsDePlusDe4096OctetsCataloguesEntiers)
{
    CDossierTemporaire d;
    std::vector<std::string> noms;
    for (int i = 0; i < 40; ++i)
        noms.push_back(std::string(200, char('a' + i % 26)) + std::to_string(i));
    const std::string fond = creerChaine(d.chemin(), noms);
    ASSERT_GT(fond.size(), std::size_t{PATH_MAX});

    CCaptureReelle capture(d.chemin());
    ASSERT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
    // Every level, with its file, under its whole path.
    std::vector<std::string> attendu;
    std::string relatif;
    for (std::size_t i = 0; i < noms.size(); ++i) {
        relatif += (i ? "/" : "") + noms[i];
        attendu.push_back("d " + relatif);
        attendu.push_back("f " + relatif + "/fichier-" + std::to_string(i));
    }
    std::sort(attendu.begin(), attendu.end());
    EXPECT_EQ(capture.inventaire(), attendu);
    EXPECT_EQ(fond, d.chemin() + '/' + relatif);
}

TEST_P(ParcoursProfond, plusDeNiveauxQueDeDescripteursPermis)
{
    // One descriptor stays open per level of the walk: with a low soft limit, it is
    // raised to the hard limit rather than the bottom of the tree being lost.
    CDossierTemporaire d;
    constexpr int kNiveaux = 150;
    creerChaine(d.chemin(), std::vector<std::string>(kNiveaux, "n"));
    const SResultatEnfant r = executerDansEnfant([&] {
        rlimit limite{};
        if (getrlimit(RLIMIT_NOFILE, &limite) != 0 || limite.rlim_max < 4 * kNiveaux)
            scenarioNonPermis("limite de descripteurs trop basse pour ce scénario");
        limite.rlim_cur = 64;
        if (setrlimit(RLIMIT_NOFILE, &limite) != 0)
            scenarioNonPermis("setrlimit refusé");
        CCaptureReelle capture(d.chemin());
        EXPECT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
        return joindre(capture.inventaire());
    });
    VERIFIER_ENFANT(r);
    const std::vector<std::string> lignes = decouper(r.sortie);
    EXPECT_EQ(lignes.size(), std::size_t{2 * kNiveaux});
    std::string fond = "n";
    for (int i = 1; i < kNiveaux; ++i)
        fond += "/n";
    const std::string dernier = "f " + fond + "/fichier-" + std::to_string(kNiveaux - 1);
    EXPECT_NE(std::find(lignes.begin(), lignes.end(), dernier), lignes.end());
}

TEST_P(ParcoursProfond, laCaptureNeGardeQueCeQueLeLecteurRelit)
{
    // One chain of empty folders, one level deeper than a catalogue may nest: captured
    // from its second level it is exactly as deep as the limit and kept whole; from its
    // top, the level past the limit is left out, and the user told. Either way, with
    // empty folders kept, the catalogue written reads back to the same bytes.
    rlimit limite{};
    if (getrlimit(RLIMIT_NOFILE, &limite) != 0 || limite.rlim_max < rlim_t{kProfondeurMaxDossiers + 100})
        GTEST_SKIP() << "limite de descripteurs trop basse pour ce scénario";
    CDossierTemporaire d;
    int fd = open(d.chemin().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i <= kProfondeurMaxDossiers && fd >= 0; ++i) {
        mkdirat(fd, "n", 0755);
        const int sous = openat(fd, "n", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = sous;
    }
    ASSERT_GE(fd, 0);
    close(fd);

    for (const std::string& racine : {d.sous("n"), d.chemin()}) {
        SCOPED_TRACE(racine);
        CCaptureReelle capture(racine);
        capture.requete().inclureDossiersVides = true;
        SBilanCapture bilan;
        ASSERT_EQ(mettreAJourRequete(capture.requete(), nullptr, GetParam(), &bilan), EResultatMiseAJour::Capturee);
        EXPECT_EQ(bilan.dossiersTropProfonds, racine == d.chemin() ? 1u : 0u);
        const std::string texte = texteMiseAJour(capture.requete(), EResultatMiseAJour::Capturee, bilan);
        if (racine == d.chemin())
            EXPECT_NE(texte.find("sans 1 dossier situé à plus de 10 000 niveaux"), std::string::npos) << texte;
        else
            EXPECT_TRUE(texte.empty()) << texte;

        int profondeur = 0;
        for (const CDossier* s = &capture.requete(); !s->sousDossiers().estVide(); ++profondeur)
            s = s->sousDossiers().elementA(0);
        EXPECT_EQ(profondeur, kProfondeurMaxDossiers);

        const std::string ecrit = ecrireCatalogue(capture.document());
        CDoc relu;
        const auto resultat = lireCatalogue(relu, ecrit);
        ASSERT_TRUE(resultat) << resultat.raison();
        EXPECT_TRUE(ecrireCatalogue(relu) == ecrit);
    }
}

INSTANTIATE_TEST_SUITE_P(Fils, ParcoursProfond, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });
