// Memory or threads that run short: the window program says what failed and goes on,
// its documents as they were, and no exception leaves a thread.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include "shell/CExecuteurTravauxQt.h"

#include <sys/resource.h>

#include <new>
#include <optional>
#include <system_error>
#include <thread>

#include <QMessageBox>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>

#include "capture/CSuiviCapture.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "model/ResultatMiseAJour.h"
#include "search/IndexRapide.h"
#include "search/MotsRapides.h"
#include "search/RechercheRapide.h"
#include "search/ui/CRechercheRapide.h"
#include "shell/CArboView.h"
#include "shell/CMainFrame.h"
#include "tests/ui/fenetre/ProcessusOrdinaire.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "workspace/MisesAJour.h"

namespace {

// Memory runs out in every capture it watches.
struct SUtilisateurSansMemoire : CSuiviCapture {
    bool progression(const SProgressionCapture&) override { throw std::bad_alloc(); }
};

class LimitesRessources : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        creerFichier(QStringLiteral("disque/a.txt"));
        creerFichier(QStringLiteral("disque/sous/b.txt"));
        classeur = ajouterClasseur("Disques", {"cd", "dvd"});
        for (CRequete* q : classeur->requetes())
            q->definirChemin(chemin(QStringLiteral("disque")).toStdString());
        executer(cmd::ToutMettreAJour);
        doc().definirModifie(false);
    }
    CRequete& requete(int n) { return *classeur->requetes().elementA(n); }

    CClasseur* classeur = nullptr;
};

} // namespace

TEST_F(LimitesRessources, UneMiseAJourACourtDeMemoireGardeLeDocumentEtLeDit)
{
    creerFichier(QStringLiteral("disque/nouveau.txt"));
    const std::pair<int, const char*> commandes[] = {{cmd::MettreAJour, "Mettre à jour"},
                                                     {cmd::ToutMettreAJour, "Tout mettre à jour"}};
    for (const auto& [commande, nom] : commandes) {
        const auto premiers = std::make_pair(requete(0).fichiers().elementA(0), requete(1).fichiers().elementA(0));
        selectionner(static_cast<CDossier*>(&requete(0)));
        repondeur->boites.clear();
        repondeur->reponses.push_back(QMessageBox::Ok);
        std::optional<SUtilisateurSansMemoire> sansMemoire(std::in_place);
        app->travaux().suiviDesTests = &*sansMemoire;
        executer(commande);
        app->travaux().suiviDesTests = nullptr;
        sansMemoire.reset();

        ASSERT_EQ(repondeur->boites.size(), 1u) << nom;
        EXPECT_EQ(repondeur->boites[0].texte.toStdString(),
                  std::string("La commande « ") + nom + " » n'a pas abouti : la mémoire est insuffisante.");
        // The very nodes of before, in both queries.
        EXPECT_EQ(std::make_pair(requete(0).fichiers().elementA(0), requete(1).fichiers().elementA(0)), premiers) << nom;
        EXPECT_FALSE(doc().estModifie()) << nom;
        EXPECT_FALSE(CTravailLong::enCours()) << nom;
        // The tree shows both queries still, the one updated selected.
        EXPECT_EQ(libelles(indexDe(classeur)), QStringList({QStringLiteral("cd"), QStringLiteral("dvd")})) << nom;
        EXPECT_EQ(arbre().currentIndex(), indexDe(static_cast<CDossier*>(&requete(0)))) << nom;
    }
    // Memory back, the program goes on.
    executer(cmd::MettreAJour);
    EXPECT_EQ(requete(0).fichiers().nombre(), 2);
}

TEST_F(LimitesRessources, UneExceptionQuiSortDUnEvenementEstDiteEtLeProgrammeContinue)
{
    repondeur->reponses.push_back(QMessageBox::Ok);
    QTimer::singleShot(0, &cadre(), [] {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    });
    laisserTourner(100);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_EQ(repondeur->boites[0].texte,
              QStringLiteral("L'opération en cours n'a pas abouti : le système refuse de lancer une tâche de plus."));
    executer(cmd::NouveauClasseur);
    EXPECT_EQ(doc().classeurs().nombre(), 3);
}

TEST_F(LimitesRessources, SansTacheDePlusLaCaptureEtLaRechercheRapideRepondentQuandMeme)
{
    if (!QCoreApplication::arguments().contains(QStringLiteral("--enfant"))) {
        // This test again, in a program of an ordinary user, whose limit of processes
        // (ulimit -u) root would not be held to.
        // Its own temporary folder: ours (TMPDIR) may be closed to other users.
        QTemporaryDir temporaire;
        ASSERT_TRUE(temporaire.isValid());
        ASSERT_TRUE(donnerAUtilisateurOrdinaire(temporaire.path().toStdString()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), temporaire.path());
        QProcess enfant;
        enfant.setProcessEnvironment(env);
        if (!demarrerCommeUtilisateurOrdinaire(
                enfant, {QCoreApplication::applicationFilePath().toStdString(), "--enfant",
                         "--gtest_filter=LimitesRessources.SansTacheDePlusLaCaptureEtLaRechercheRapideRepondentQuandMeme"}))
            GTEST_SKIP() << "setpriv manque";
        const std::string sortie = sortieALaFin(enfant);
        EXPECT_EQ(enfant.exitCode(), 0) << sortie;
        EXPECT_NE(sortie.find("[  PASSED  ] 1 test."), std::string::npos) << sortie;
        return;
    }
    // The user's processes at their limit, for the capture and the keystroke only: Qt
    // itself paints on threads of its own, and would wait for ever for one it cannot
    // start.
    creerFichier(QStringLiteral("disque/sous/c.txt"));
    rlimit avant{};
    ASSERT_EQ(::getrlimit(RLIMIT_NPROC, &avant), 0);
    const rlimit limite{1, avant.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_NPROC, &limite), 0);
    EXPECT_THROW(std::thread([] {}).join(), std::system_error);
    // The capture's pool, the quick search's thread and its helpers: this thread does
    // their work.
    EXPECT_EQ(mettreAJour(contexte(), requete(0)), EResultatMiseAJour::Capturee);
    const CIndexRapide index[] = {CIndexRapide(requete(0)), CIndexRapide(requete(1))};
    const std::atomic<bool> jamais{false};
    const auto reponses = chercherPartout({{&index[0]}, {&index[1]}}, analyserMots("txt"), jamais, 4);
    EXPECT_EQ(reponses.at(0).size() + reponses.at(1).size(), 5u);
    app->rechercheRapide().rechercher(QStringLiteral("txt"));
    ::setrlimit(RLIMIT_NPROC, &avant);
    // A bound for a loaded machine only: the loop ends as soon as the search does.
    for (int i = 0; i < 3000 && app->rechercheRapide().enCours(); ++i)
        laisserTourner(10);
    laisserTourner();
    EXPECT_EQ(app->rechercheRapide().nombreTrouves(), 5u);
}
