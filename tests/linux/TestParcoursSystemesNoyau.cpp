// Kernel pseudo-file systems met during a capture, mounted for the test in a mount
// namespace of its own.

#include "model/CRequete.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Lignes = std::vector<std::string>;

bool contient(const Lignes& lignes, const std::string& ligne)
{
    return std::find(lignes.begin(), lignes.end(), ligne) != lignes.end();
}

class ParcoursSystemesNoyau : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        for (const char* dossier : {"proc", "sys", "tmp"})
            ASSERT_EQ(mkdir(d.sous(dossier).c_str(), 0755), 0);
    }

    // proc on proc/, sysfs on sys/, and a tmpfs holding one file on tmp/.
    void monterLesSystemes()
    {
        espaceMontagePrive();
        monter("proc", d.sous("proc"), "proc", 0);
        monter("sysfs", d.sous("sys"), "sysfs", 0);
        monter("tmpfs", d.sous("tmp"), "tmpfs", 0, "size=1m");
        close(open(d.sous("tmp/dedans").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }

    SResultatEnfant capturer(bool dossiersVides)
    {
        return executerDansEnfant([&] {
            monterLesSystemes();
            CCaptureReelle capture(d.chemin());
            capture.requete().inclureDossiersVides = dossiersVides;
            EXPECT_EQ(capture.capturer(GetParam()), EResultatMiseAJour::Capturee);
            return joindre(capture.inventaire());
        });
    }

    CDossierTemporaire d;
};

TEST_P(ParcoursSystemesNoyau, procEtSysfsSousLeDossierChoisiNonParcourus)
{
    // Their mount points stay, empty, where empty folders are kept; any other mounted
    // file system is entered.
    const SResultatEnfant r = capturer(true);
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"d proc", "d sys", "d tmp", "f tmp/dedans"}));
}

TEST_P(ParcoursSystemesNoyau, sansLesDossiersVidesIlsDisparaissent)
{
    const SResultatEnfant r = capturer(false);
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"d tmp", "f tmp/dedans"}));
}

TEST_P(ParcoursSystemesNoyau, dossierChoisiSurProcEstCaptureAvecSesSousDossiers)
{
    // Chosen by the user, a folder of proc is listed, and its folders on the same
    // proc are walked.
    const SResultatEnfant r = executerDansEnfant([&] {
        monterLesSystemes();
        const std::string racine = d.sous("proc/sys/kernel");
        CCaptureReelle capture(racine);
        if (capture.capturer(GetParam()) != EResultatMiseAJour::Capturee)
            return std::string("capture échouée");
        return joindre(capture.inventaire());
    });
    VERIFIER_ENFANT(r);
    const Lignes lignes = decouper(r.sortie);
    EXPECT_TRUE(contient(lignes, "f hostname"));
    EXPECT_TRUE(contient(lignes, "d random"));
    EXPECT_TRUE(contient(lignes, "f random/boot_id"));
}

INSTANTIATE_TEST_SUITE_P(Fils, ParcoursSystemesNoyau, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });

} // namespace
