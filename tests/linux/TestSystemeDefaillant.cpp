// A file system that fails or stops answering in the middle of an update, through the
// slow FUSE mirror of the benchmark (skipped where FUSE cannot mount): killed, the update
// keeps the previous snapshot; stopped, a cancel comes back at once.

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "bench/MontageMiroir.h"
#include "capture/CSuiviCapture.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"
#include "workspace/CContexte.h"

#ifndef NORVANEL_MIROIR_LENT
#define NORVANEL_MIROIR_LENT ""
#endif

namespace {

constexpr unsigned kLatenceUs = 2000;

// 40 folders of 15 files: through the mirror, a walk of more than a second on one
// thread, and of several reports on a pool.
void creerSource(const std::string& racine)
{
    ASSERT_EQ(mkdir(racine.c_str(), 0755), 0);
    for (int i = 0; i < 40; ++i) {
        const std::string dossier = racine + "/d" + std::to_string(i);
        ASSERT_EQ(mkdir(dossier.c_str(), 0755), 0);
        for (int j = 0; j < 15; ++j)
            close(open((dossier + "/f" + std::to_string(j)).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
}

// Sends `signal` to the mirror at the `envoi`-th report, and cancels at the `annulation`-th
// (never when 0).
class CSuiviSignal : public CSuiviCapture {
public:
    CSuiviSignal(pid_t miroir, int signal, int envoi, int annulation)
        : miroir_(miroir), signal_(signal), envoi_(envoi), annulation_(annulation)
    {
    }
    bool progression(const SProgressionCapture&) override
    {
        ++rapports_;
        if (rapports_ == envoi_)
            kill(miroir_, signal_);
        return annulation_ == 0 || rapports_ < annulation_;
    }

private:
    pid_t miroir_;
    int signal_, envoi_, annulation_;
    int rapports_ = 0;
};

std::size_t filsEnCours() { return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}); }

class SystemeDefaillant : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(creerSource(source));
        montage = std::make_unique<CMontageMiroir>(NORVANEL_MIROIR_LENT, source, point, kLatenceUs);
        if (!montage->monte())
            GTEST_SKIP() << montage->erreur();
    }
    void TearDown() override
    {
        if (montage && montage->monte()) {
            kill(montage->pid(), SIGCONT);
            EXPECT_TRUE(montage->demonter());
        }
    }

    CDossierTemporaire dossier;
    const std::string source = dossier.sous("source");
    const std::string point = dossier.sous("montage");
    std::unique_ptr<CMontageMiroir> montage;
};

} // namespace

TEST_F(SystemeDefaillant, unMiroirTueEnPleineMiseAJourGardeLeSnapshot)
{
    for (const int fils : {1, 4}) {
        SCOPED_TRACE(std::to_string(fils) + " fils");
        if (!montage->monte())
            montage = std::make_unique<CMontageMiroir>(NORVANEL_MIROIR_LENT, source, point, kLatenceUs);
        ASSERT_TRUE(montage->monte()) << montage->erreur();
        CCaptureReelle capture(point);
        ASSERT_EQ(capture.capturer(fils), EResultatMiseAJour::Capturee);
        const std::vector<std::string> avant = capture.inventaire();
        ASSERT_EQ(avant.size(), 40u * 16u);

        CSuiviSignal suivi(montage->pid(), SIGKILL, 2, 0);
        SBilanCapture bilan;
        EXPECT_EQ(mettreAJourRequete(capture.requete(), &suivi, fils, &bilan), EResultatMiseAJour::ErreurLecture);
        EXPECT_EQ(capture.inventaire(), avant);
        // ECONNABORTED for the calls the kernel was waiting on, ENOTCONN for the next.
        EXPECT_TRUE(bilan.erreur == ENOTCONN || bilan.erreur == ECONNABORTED) << bilan.erreur;
        EXPECT_EQ(bilan.dossierEnErreur.rfind(point, 0), 0u) << bilan.dossierEnErreur;
        EXPECT_TRUE(montage->demonter());
    }
}

TEST_F(SystemeDefaillant, annulerRevientQuandLeMiroirNeRepondPlus)
{
    CCaptureReelle capture(point);
    ASSERT_EQ(capture.capturer(8), EResultatMiseAJour::Capturee);
    const std::vector<std::string> avant = capture.inventaire();
    const pid_t miroir = montage->pid();
    // In a child, killed as hung should the cancel wait for the threads.
    const SResultatEnfant r = executerDansEnfant(
        [&] {
            const std::size_t base = filsEnCours();
            CSuiviSignal suivi(miroir, SIGSTOP, 1, 3);
            const EResultatMiseAJour resultat = capture.capturer(8, &suivi);
            const std::size_t bloques = filsEnCours() - base;
            const bool inchange = capture.inventaire() == avant;
            kill(miroir, SIGCONT);
            for (int i = 0; i < 2000 && filsEnCours() > base; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return joindre({std::to_string(static_cast<int>(resultat)), std::to_string(bloques),
                            std::to_string(inchange), std::to_string(filsEnCours() - base)});
        },
        std::chrono::seconds(60));
    kill(miroir, SIGCONT);
    VERIFIER_ENFANT(r);
    const std::vector<std::string> l = decouper(r.sortie);
    ASSERT_EQ(l.size(), 4u) << r.sortie;
    EXPECT_EQ(l[0], std::to_string(static_cast<int>(EResultatMiseAJour::Annulee)));
    EXPECT_NE(l[1], "0");  // threads were left waiting in the system
    EXPECT_EQ(l[2], "1");
    EXPECT_EQ(l[3], "0");  // and ended once it answered
}
