// The capture on pools of threads: byte for byte the catalogue of the one-thread walk
// on random trees, whatever the switches; a cancel at any moment leaves the query as it
// was and no thread behind; folders vanishing during the walk do no harm.

#include "capture/CSuiviCapture.h"
#include "model/CCriteres.h"
#include "model/CRequete.h"
#include "platform/linux/SystemesDistants.h"
#include "storage/FichierCatalogue.h"
#include "tests/commun/MotifSousDossier.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"
#include "workspace/CContexte.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Lignes = std::vector<std::string>;

// Up to `largeur` entries a folder over `profondeur` levels: hidden ones, empty
// folders, files of few names, sizes and dates, so that twins abound.
void creerArbre(const std::string& dossier, std::mt19937& alea, int largeur, int profondeur)
{
    const int entrees = static_cast<int>(alea() % (largeur + 1));
    for (int i = 0; i < entrees; ++i) {
        const bool sousDossier = profondeur > 0 && alea() % 3 == 0;
        const std::string nom = std::string(alea() % 6 == 0 ? "." : "") + (sousDossier ? "d" : "f") +
                                std::to_string(alea() % 40) + (alea() % 2 ? ".txt" : ".jpg");
        const std::string chemin = dossier + '/' + nom;
        if (sousDossier) {
            if (mkdir(chemin.c_str(), 0755) == 0)
                creerArbre(chemin, alea, largeur, profondeur - 1);
            continue;
        }
        const int fd = open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            continue;
        EXPECT_EQ(ftruncate(fd, alea() % 3), 0);
        const timespec temps[2] = {{1047297600 + 86400 * static_cast<long>(alea() % 2), 0},
                                   {1047297600 + 86400 * static_cast<long>(alea() % 2), 0}};
        EXPECT_EQ(futimens(fd, temps), 0);
        close(fd);
    }
}

std::size_t filsEnCours() { return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}); }

struct SCas {
    unsigned graine;
    int largeur, profondeur;
    bool caches, vides;
    std::int32_t modeFiltre;
    const char* filtre;  // specs under the tree's root, each starting with '*'
    bool doublons;  // the capture keeps only the twins (same name and size)
    bool tailleUnOctet = false;  // the advanced test keeps only files of one byte
    int peigne = 0;  // levels of a comb beside the tree: a folder and a leaf at each
};

// Each level a leaf folder holding a file and the folder of the next level, in either
// order: a worker that goes down first leaves its parent open, waiting for the leaf.
void creerPeigne(std::string dossier, int niveaux)
{
    ASSERT_EQ(mkdir(dossier.c_str(), 0755), 0);
    for (int i = 0; i < niveaux; ++i) {
        const std::string feuille = dossier + "/feuille" + std::to_string(i);
        ASSERT_EQ(mkdir(feuille.c_str(), 0755), 0);
        close(open((feuille + "/f").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        dossier += "/suite" + std::to_string(i);
        ASSERT_EQ(mkdir(dossier.c_str(), 0755), 0);
    }
}

void appliquer(const SCas& c, const std::string& racine, CRequete& q)
{
    q.inclureCaches = c.caches;
    q.inclureDossiersVides = c.vides;
    q.modeFiltre = c.modeFiltre;
    q.filtre = motifSousDossier(racine, c.filtre);
    q.criteres.doublons = c.doublons;
    q.criteres.memeNom = q.criteres.memeTaille = c.doublons;
    if (c.tailleUnOctet) {
        q.criteres.testTaille = 1;
        q.criteres.comparaisonTaille = kTailleEgale;
        q.criteres.valeurTaille = 1;
    }
}

TEST(CaptureParallele, memeCatalogueOctetPourOctetQuelQueSoitLeNombreDeFils)
{
    const SCas cas[] = {
        {1, 12, 4, true, true, kFiltreAucun, "", false},
        {2, 30, 2, false, false, kFiltreAucun, "", false},
        {3, 6, 7, true, false, kFiltreInclure, "*.jpg", false},
        {4, 10, 4, false, true, kFiltreExclure, "*/d1*;*.txt", false},
        {5, 12, 4, true, true, kFiltreAucun, "", true},
        {6, 40, 1, true, false, kFiltreExclure, "*f3*", true},
        {7, 12, 3, true, true, kFiltreAucun, "", false, true},
        {8, 4, 2, false, false, kFiltreAucun, "", false, false, 150},
    };
    for (const SCas& c : cas) {
        SCOPED_TRACE("graine " + std::to_string(c.graine));
        CDossierTemporaire d;
        // A root whose own name the filters would match, with the pattern language's
        // special characters: only what lies below it may be filtered.
        const std::string racine = d.sous("f3 d1-[x];*?-\xc3\xa9");
        ASSERT_EQ(mkdir(racine.c_str(), 0755), 0);
        std::mt19937 alea(c.graine);
        creerArbre(racine, alea, c.largeur, c.profondeur);
        if (c.peigne > 0)
            creerPeigne(racine + "/peigne", c.peigne);
        std::string reference;
        for (int fils : {1, 2, 8}) {
            CCaptureReelle capture(racine);
            appliquer(c, racine, capture.requete());
            ASSERT_EQ(capture.capturer(fils), EResultatMiseAJour::Capturee);
            const std::string ecrit = ecrireCatalogue(capture.document());
            if (fils == 1) {
                ASSERT_FALSE(capture.inventaire().empty());
                reference = ecrit;
            }
            EXPECT_TRUE(ecrit == reference) << fils << " fils";
        }
    }
}

// Cancels at its `restant`-th report. Each one lasts longer than the interval between
// reports, as a window being repainted may: the next folder entered reports again.
class CSuiviAnnulant : public CSuiviCapture {
public:
    explicit CSuiviAnnulant(unsigned restant, unsigned graine) : restant_(restant), alea_(graine) {}
    bool progression(const SProgressionCapture& etat) override
    {
        EXPECT_GE(etat.dossiers, dossiers_);
        EXPECT_GE(etat.fichiers, fichiers_);
        dossiers_ = etat.dossiers;
        fichiers_ = etat.fichiers;
        appelant_ = std::this_thread::get_id();
        std::this_thread::sleep_for(std::chrono::milliseconds(100 + alea_() % 50));
        return restant_-- > 0;
    }
    std::thread::id appelant_;

private:
    unsigned restant_;
    std::mt19937 alea_;
    std::uint32_t dossiers_ = 0, fichiers_ = 0;
};

TEST(CaptureParallele, annulerLaisseLaRequeteTelleQuelleEtAucunFil)
{
    CDossierTemporaire d;
    std::mt19937 alea(7);
    creerArbre(d.chemin(), alea, 25, 4);
    CCaptureReelle capture(d.chemin());
    // Empty folders dropped and files turned down by the advanced test, as they are
    // when the capture stops.
    appliquer({7, 0, 0, true, false, kFiltreAucun, "", false, true}, d.chemin(), capture.requete());
    ASSERT_EQ(capture.capturer(1), EResultatMiseAJour::Capturee);
    const std::string avant = ecrireCatalogue(capture.document());
    const std::size_t fils = filsEnCours();
    for (unsigned essai = 0; essai < 8; ++essai) {
        SCOPED_TRACE(essai);
        // The pool may be done before a late cancel; the first report always comes
        // before it starts. Nothing captured since: a cancelled capture must not even
        // mark the document modified.
        CSuiviAnnulant suivi(essai % 4, essai);
        const EResultatMiseAJour resultat = capture.capturer(essai % 2 ? 8 : 2, &suivi);
        EXPECT_EQ(suivi.appelant_, std::this_thread::get_id());
        // A thread still in a system call when the cancel came is left to end on its own.
        for (int i = 0; i < 1000 && filsEnCours() != fils; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(filsEnCours(), fils);
        if (essai % 4 == 0 || resultat == EResultatMiseAJour::Annulee) {
            ASSERT_EQ(resultat, EResultatMiseAJour::Annulee);
            EXPECT_TRUE(ecrireCatalogue(capture.document()) == avant);
        } else {
            ASSERT_EQ(resultat, EResultatMiseAJour::Capturee);
        }
    }
}

TEST(CaptureParallele, fichierEcarteDansUnDossierEcarte)
{
    // The advanced test turns down the only file of a folder, which the empty-folder
    // rule then drops: what held that file for the test must not outlive it in use.
    CDossierTemporaire d;
    ASSERT_EQ(mkdir(d.sous("a").c_str(), 0755), 0);
    close(open(d.sous("a/f").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    for (int fils : {1, 2}) {
        CCaptureReelle capture(d.chemin());
            appliquer({9, 0, 0, true, false, kFiltreAucun, "", false, true}, d.chemin(), capture.requete());
        ASSERT_EQ(capture.capturer(fils), EResultatMiseAJour::Capturee);
        EXPECT_TRUE(capture.inventaire().empty()) << fils;
    }
}

// Removes a folder of the tree at its first report, while the pool walks.
class CSuiviDestructeur : public CSuiviCapture {
public:
    explicit CSuiviDestructeur(std::string victime) : victime_(std::move(victime)) {}
    bool progression(const SProgressionCapture&) override
    {
        if (!victime_.empty())
            std::filesystem::remove_all(victime_);
        victime_.clear();
        return true;
    }

private:
    std::string victime_;
};

TEST(CaptureParallele, dossierQuiDisparaitPendantLaCapture)
{
    for (int fils : {2, 8}) {
        SCOPED_TRACE(fils);
        CDossierTemporaire d;
        ASSERT_EQ(mkdir(d.sous("garde").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(d.sous("part").c_str(), 0755), 0);
        std::mt19937 alea(fils);
        creerArbre(d.sous("garde"), alea, 20, 3);
        creerArbre(d.sous("part"), alea, 30, 3);
        CCaptureReelle attendu(d.sous("garde"));
        ASSERT_EQ(attendu.capturer(1), EResultatMiseAJour::Capturee);

        CCaptureReelle capture(d.chemin());
        CSuiviDestructeur suivi(d.sous("part"));
        ASSERT_EQ(capture.capturer(fils, &suivi), EResultatMiseAJour::Capturee);
        // What was kept is whole; what went is there or not, never elsewhere.
        Lignes garde;
        for (const std::string& ligne : capture.inventaire())
            if (ligne.compare(2, 6, "garde/") == 0)
                garde.push_back(ligne.substr(0, 2) + ligne.substr(8));
            else
                EXPECT_TRUE(ligne == "d garde" || ligne.compare(2, 4, "part") == 0) << ligne;
        EXPECT_EQ(garde, attendu.inventaire());
    }
}

TEST(CaptureParallele, descripteursBornesQuelleQueSoitLaLargeur)
{
    // Far more sub-folders than descriptors the process may open, and no way to raise
    // the limit: a pool that held every queued folder open would lose some of them, and
    // so would one that held every parent of a comb deeper than the limit.
    CDossierTemporaire d;
    for (int i = 0; i < 300; ++i) {
        const std::string sous = d.sous("d" + std::to_string(i));
        ASSERT_EQ(mkdir(sous.c_str(), 0755), 0);
        ASSERT_EQ(mkdir((sous + "/e").c_str(), 0755), 0);
        close(open((sous + "/e/f").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
    creerPeigne(d.sous("peigne"), 120);
    CCaptureReelle reference(d.chemin());
    ASSERT_EQ(reference.capturer(1), EResultatMiseAJour::Capturee);
    ASSERT_EQ(reference.inventaire().size(), std::size_t{900 + 3 * 120});
    const SResultatEnfant r = executerDansEnfant([&] {
        const rlimit limite{48, 48};
        if (setrlimit(RLIMIT_NOFILE, &limite) != 0)
            scenarioNonPermis("setrlimit refusé");
        CCaptureReelle capture(d.chemin());
        EXPECT_EQ(capture.capturer(4), EResultatMiseAJour::Capturee);
        return joindre(capture.inventaire());
    });
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), reference.inventaire());
}

TEST(CaptureParallele, filsSelonLeSystemeDeFichiers)
{
    const struct {
        const char* type;
        unsigned processeurs;
        int attendu;
    } cas[] = {
        {"nfs4", 2, 16}, {"cifs", 2, 16}, {"smb3", 64, 16}, {"fuse.sshfs", 1, 16}, {"fuseblk", 2, 16},
        {"ext4", 4, 4},  {"ext4", 0, 1},  // processor count unknown
        {"tmpfs", 200, 16}, {"", 2, 2},   // no mount found
        {"nfsd", 2, 2},                   // the server's control file system, local
    };
    for (const auto& c : cas)
        EXPECT_EQ(filsPourSysteme(c.type, c.processeurs), c.attendu) << c.type;
}

} // namespace
