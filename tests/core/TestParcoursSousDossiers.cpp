// How the scan walks below the chosen folder: each sub-folder opened from its parent,
// folders met again below themselves and kernel pseudo-file systems not entered; on the
// calling thread alone and on pools of threads alike.

#include "tests/core/Factices.h"

#include <algorithm>

#include "capture/ScanDossier.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

using Chemins = std::vector<std::string>;

class ParcoursSousDossiers : public AvecPlateformeFactice, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        p.insererDisque("/media/cd", "DISQUE", 1);
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        q = new CRequete(doc->classeurs().elementA(0));
        q->definirChemin("/media/cd");
        doc->classeurs().elementA(0)->requetes().ajouter(q);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    // Every folder and file of the snapshot, depth first, folders ending in '/'.
    Chemins snapshot() const
    {
        Chemins r;
        ajouter(*q, r);
        return r;
    }
    static void ajouter(const CDossier& d, Chemins& r)
    {
        for (const CFichier* f : d.fichiers())
            r.push_back(f->chemin());
        for (const CDossier* s : d.sousDossiers()) {
            r.push_back(s->chemin() + "/");
            ajouter(*s, r);
        }
    }

    EResultatScan scanner() { return scannerDossier(*q, *q, nullptr, GetParam()); }

    std::unique_ptr<CDoc> doc;
    CRequete* q = nullptr;
};

TEST_P(ParcoursSousDossiers, seulLeDossierChoisiEstOuvertParSonChemin)
{
    p.ajouterFichier("/media/cd/a/b/c/f");
    p.ajouterFichier("/media/cd/a/g");
    p.ajouterFichier("/media/cd/z/h");
    p.ouverturesParChemin.clear();
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    EXPECT_EQ(p.ouverturesParChemin, Chemins{"/media/cd"});
    // Depth first on one thread; in any order on several.
    if (GetParam() != 1)
        std::sort(p.ouverturesRelatives.begin(), p.ouverturesRelatives.end());
    EXPECT_EQ(p.ouverturesRelatives, (Chemins{"/media/cd/a", "/media/cd/a/b", "/media/cd/a/b/c", "/media/cd/z"}));
    // Unless asked for one thread, the calling thread (the window program's interface
    // thread) opens and lists nothing.
    ASSERT_EQ(p.filsDesOuvertures.size(), std::size_t{5});
    for (const std::thread::id fil : p.filsDesOuvertures)
        EXPECT_EQ(fil == std::this_thread::get_id(), GetParam() == 1);
    EXPECT_EQ(snapshot(), (Chemins{"/media/cd/a/", "/media/cd/a/g", "/media/cd/a/b/", "/media/cd/a/b/c/",
                                   "/media/cd/a/b/c/f", "/media/cd/z/", "/media/cd/z/h"}));
}

TEST_P(ParcoursSousDossiers, dossierRetrouveSousLuiMemeNonParcouru)
{
    // a/boucle is a/ again, c/haut the chosen folder again: each shows files of its
    // own in the fake, which the scan must never reach.
    p.ajouterFichier("/media/cd/a/f");
    p.ajouterFichier("/media/cd/a/boucle/jamais");
    p.ajouterFichier("/media/cd/c/haut/jamais");
    p.identite("/media/cd/a/boucle") = p.identite("/media/cd/a");
    p.identite("/media/cd/c/haut") = p.identite("/media/cd");
    q->inclureDossiersVides = true;
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    EXPECT_EQ(snapshot(), (Chemins{"/media/cd/a/", "/media/cd/a/f", "/media/cd/a/boucle/", "/media/cd/c/",
                                   "/media/cd/c/haut/"}));
    q->inclureDossiersVides = false;
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    EXPECT_EQ(snapshot(), (Chemins{"/media/cd/a/", "/media/cd/a/f"}));
}

TEST_P(ParcoursSousDossiers, memeDossierAilleursQueSurLeCheminEstParcouru)
{
    p.ajouterFichier("/media/cd/a/f");
    p.ajouterFichier("/media/cd/vue/f");
    p.identite("/media/cd/vue") = p.identite("/media/cd/a");
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    EXPECT_EQ(snapshot(), (Chemins{"/media/cd/a/", "/media/cd/a/f", "/media/cd/vue/", "/media/cd/vue/f"}));
}

TEST_P(ParcoursSousDossiers, systemeNoyauMonteSousLeDossierChoisiNonParcouru)
{
    p.ajouterFichier("/media/cd/proc/1/status");
    p.ajouterFichier("/media/cd/usb/photo.jpg");
    p.identite("/media/cd/proc") = SIdentiteDossier{7, 1, true};
    p.identite("/media/cd/proc/1") = SIdentiteDossier{7, 2, true};
    p.identite("/media/cd/usb") = SIdentiteDossier{8, 1, false};
    q->inclureDossiersVides = true;
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    EXPECT_EQ(snapshot(), (Chemins{"/media/cd/proc/", "/media/cd/usb/", "/media/cd/usb/photo.jpg"}));
}

TEST_P(ParcoursSousDossiers, dossierChoisiSurUnSystemeNoyauEstParcouru)
{
    // The user's own choice: its folders on the same file system are walked; another
    // pseudo-file system mounted inside it is not.
    p.ajouterFichier("/media/cd/kernel/random/boot_id");
    p.ajouterFichier("/media/cd/kernel/debug/traces");
    p.identite("/media/cd") = SIdentiteDossier{7, 1, true};
    p.identite("/media/cd/kernel") = SIdentiteDossier{7, 2, true};
    p.identite("/media/cd/kernel/random") = SIdentiteDossier{7, 3, true};
    p.identite("/media/cd/kernel/debug") = SIdentiteDossier{9, 1, true};
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    EXPECT_EQ(snapshot(),
              (Chemins{"/media/cd/kernel/", "/media/cd/kernel/random/", "/media/cd/kernel/random/boot_id"}));
}

TEST_P(ParcoursSousDossiers, sousDossierQuiNeSOuvrePasEstGardeVide)
{
    p.ajouterFichier("/media/cd/ferme/secret");
    p.ajouterFichier("/media/cd/ouvert/f");
    p.rendreIllisible("/media/cd/ferme");
    q->inclureDossiersVides = true;
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    EXPECT_EQ(snapshot(), (Chemins{"/media/cd/ferme/", "/media/cd/ouvert/", "/media/cd/ouvert/f"}));
}

TEST_P(ParcoursSousDossiers, unPeigneCouteQuelquesOuverturesParDossier)
{
    // A chain with a leaf folder beside each level, the chain first: past the bound on
    // the folders held open, the parent of each leaf is reached again. From the chosen
    // folder, each would cost the depth of the comb.
    constexpr std::size_t kNiveaux = 400;
    p.dossiersOuvertsMaxFixe = 40;
    std::string chaine = "/media/cd";
    for (std::size_t i = 0; i < kNiveaux; ++i) {
        const std::string parent = chaine;
        chaine += "/s";
        p.ajouterDossier(chaine);
        p.ajouterFichier(parent + "/feuille/f");
    }
    ASSERT_EQ(scanner(), EResultatScan::Termine);
    const Chemins s = snapshot();
    EXPECT_EQ(std::count_if(s.begin(), s.end(), [](const std::string& c) { return c.ends_with("/feuille/f"); }),
              std::ptrdiff_t{kNiveaux});
    const std::size_t ouvertures =
        p.ouverturesParChemin.size() + p.ouverturesRelatives.size() + p.ouverturesParents.size();
    // A few a folder, whatever order the threads take them in; about the square of the
    // depth over two (80 000 here) when each leaf's parent is opened from the top.
    const std::size_t dossiers = 2 * kNiveaux + 1;
    EXPECT_LE(ouvertures, 6 * dossiers);
}

INSTANTIATE_TEST_SUITE_P(Fils, ParcoursSousDossiers, ::testing::Values(0, 1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });

} // namespace
