// A save killed (SIGKILL) at random moments: the file must always be the old
// catalogue or the new one, byte for byte, and what killed saves leave behind must
// go at the next save.
//
// A helper builds two large catalogues once and forks a saving child on demand; each
// child saves the catalogue the file does not hold at that moment, so the two possible
// states are always known. The delays are drawn up to a bit more than a whole save,
// measured first, so that kills fall before, during and after the rename.
// NORVANEL_GRAINE=N replays the delays of a run.

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <thread>

#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/core/Factices.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/CommandeExterne.h"

namespace {

// About 50 MB; less under the sanitizers, which make each save several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kEntrees = 30000;
#else
constexpr int kEntrees = 100000;
#endif
constexpr std::size_t kLongueur = 420;
constexpr int kInterruptions = 200;
constexpr char kLettres[2] = {'a', 'b'};

// Which of the two images the file holds byte for byte: 0, 1, or -1 for neither (its
// size in `taille`). Read in pieces: 200 copies of 50 MB would cost more than the saves.
int imageDuFichier(const std::string& chemin, const std::string (&images)[2], std::size_t& taille)
{
    std::ifstream f(chemin, std::ios::binary);
    std::vector<char> tampon(1 << 20);
    bool egal[2] = {true, true};
    taille = 0;
    while (f) {
        f.read(tampon.data(), static_cast<std::streamsize>(tampon.size()));
        const auto n = static_cast<std::size_t>(f.gcount());
        for (int i = 0; i < 2; ++i)
            egal[i] = egal[i] && taille + n <= images[i].size() &&
                      std::memcmp(images[i].data() + taille, tampon.data(), n) == 0;
        taille += n;
    }
    for (int i = 0; i < 2; ++i)
        if (egal[i] && taille == images[i].size())
            return i;
    return -1;
}

class Interruption : public AvecPlateformeFactice {
protected:
    std::string etape(int quelle) const
    {
        return std::to_string(kEntrees) + ":" + std::to_string(kLongueur) + ":" + kLettres[quelle];
    }
    int temporaires() const
    {
        int n = 0;
        for (const std::string& nom : entreesDe(d.chemin()))
            n += estTemporaireDe(nom, "cd.kbt");
        return n;
    }
    // Has the helper fork a child saving catalogue `quelle`; its pid, or -1.
    pid_t lancerEnregistrement(CProcessusEnfant& aide, int quelle)
    {
        if (!aide.envoyer(std::string(1, kLettres[quelle])) || !aide.attendreLigne("pid="))
            return -1;
        return static_cast<pid_t>(std::stol(aide.ligneTrouvee().substr(4)));
    }

    void interrompre(bool lien);

    CDossierTemporaire d;
    const std::string chemin = d.sous("cd.kbt");
};

bool memeFichier(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_ino == sb.st_ino && sa.st_dev == sb.st_dev;
}

// Saves killed at random moments, each saving the catalogue the file does not hold.
// With `lien`, the file has a second name, and saves rewrite it in place.
void Interruption::interrompre(bool lien)
{
    std::string images[2];
    for (int i = 0; i < 2; ++i) {
        CDoc doc;
        remplirCatalogue(doc, kEntrees, kLongueur, kLettres[i]);
        images[i] = ecrireCatalogue(doc);
    }
    ASSERT_FALSE(images[0] == images[1]);
    CProcessusEnfant aide({cheminDuProgramme(), "--aide", "serveur", chemin, etape(0), etape(1)}, true);
    ASSERT_TRUE(aide.lance());

    // The first save makes the file; the second name is given to it before the timed
    // saves, which rewrite it in place from then on.
    const std::string autreNom = d.sous("autre-nom.kbt");
    ASSERT_GT(lancerEnregistrement(aide, 1), 0) << aide.sortie();
    ASSERT_TRUE(aide.attendreLigne("fin=0")) << aide.sortie();
    if (lien) {
        ASSERT_EQ(link(chemin.c_str(), autreNom.c_str()), 0);
    }
    // Three whole saves (a, b, a): the longest sets the range of the delays.
    using Horloge = std::chrono::steady_clock;
    Horloge::duration duree{};
    for (int i = 0; i < 3; ++i) {
        ASSERT_GT(lancerEnregistrement(aide, i % 2), 0) << aide.sortie();
        const auto debut = Horloge::now();
        ASSERT_TRUE(aide.attendreLigne("fin=")) << aide.sortie();
        duree = std::max(duree, Horloge::now() - debut);
        ASSERT_EQ(aide.ligneTrouvee(), "fin=0");
    }
    int actuel = 0;
    ASSERT_TRUE(lireTout(chemin) == images[actuel]);

    const char* imposee = std::getenv("NORVANEL_GRAINE");
    const unsigned graine = imposee ? static_cast<unsigned>(std::strtoul(imposee, nullptr, 10)) : std::random_device()();
    std::mt19937 alea(graine);
    const auto plage = std::chrono::duration_cast<std::chrono::microseconds>(duree).count() * 12 / 10;
    std::uniform_int_distribution<long long> delai(0, plage);
    int restes = 0;
    int reprises = 0;  // files put back from their backup
    int gardes[2] = {0, 0};  // kills after which the file was the old one, the new one
    for (int k = 0; k < kInterruptions; ++k) {
        const std::string ou = "interruption " + std::to_string(k) + " (NORVANEL_GRAINE=" + std::to_string(graine) + ")";
        const int autre = 1 - actuel;
        const pid_t enfant = lancerEnregistrement(aide, autre);
        ASSERT_GT(enfant, 0) << aide.sortie();
        std::this_thread::sleep_for(std::chrono::microseconds(delai(alea)));
        kill(enfant, SIGKILL);
        ASSERT_TRUE(aide.attendreLigne("fin=")) << ou;  // the helper has reaped it

        std::size_t taille = 0;
        int trouvee = imageDuFichier(chemin, images, taille);
        // A rewrite in place killed midway: its backup holds the old catalogue whole,
        // and putting it back (as the user would) gives the file back.
        const std::vector<std::string> sauvegardes = sauvegardesDe(chemin);
        ASSERT_LE(sauvegardes.size(), 1u) << ou;
        for (const std::string& s : sauvegardes) {
            std::size_t tailleCopie = 0;
            ASSERT_EQ(imageDuFichier(s, images, tailleCopie), actuel) << ou << " : la sauvegarde n'est pas l'ancien";
            if (trouvee < 0) {
                ++reprises;
                ASSERT_EQ(executer({"/bin/cp", s, chemin}), 0);
                trouvee = actuel;
            }
            ASSERT_EQ(unlink(s.c_str()), 0);
        }
        if (trouvee < 0)
            FAIL() << ou << " : le fichier n'est ni l'ancien ni le nouveau catalogue (" << taille << " octets)";
        ++gardes[trouvee == autre];
        actuel = trouvee;
        if (lien) {
            ASSERT_TRUE(memeFichier(chemin, autreNom)) << ou;
        }
        // Each save removes the leftovers before making its own temporaries: the new
        // content, and for a rewrite in place the backup being written.
        const int ici = temporaires();
        ASSERT_LE(ici, lien ? 2 : 1) << ou;
        ASSERT_EQ(entreesDe(d.chemin()).size(), (lien ? 2u : 1u) + ici) << ou;
        restes += ici;
    }
    std::cout << "graine " << graine << " : " << gardes[0] << " fois l'ancien, " << gardes[1]
              << " fois le nouveau catalogue, " << restes << " fichiers temporaires laissés, " << reprises
              << " fichiers repris de leur sauvegarde\n";

    CDoc relu;
    ASSERT_TRUE(chargerCatalogue(relu, chemin));
    EXPECT_TRUE(ecrireCatalogue(relu) == images[actuel]);
    // The next save that runs to its end leaves nothing beside the catalogue.
    ASSERT_GT(lancerEnregistrement(aide, 1 - actuel), 0);
    ASSERT_TRUE(aide.attendreLigne("fin="));
    EXPECT_EQ(aide.ligneTrouvee(), "fin=0");
    EXPECT_TRUE(lireTout(chemin) == images[1 - actuel]);
    if (lien) {
        EXPECT_TRUE(memeFichier(chemin, autreNom));
        ASSERT_EQ(unlink(autreNom.c_str()), 0);
    }
    EXPECT_EQ(entreesDe(d.chemin()), std::vector<std::string>{"cd.kbt"});
    // The kills fell on both sides of the rename, and some during the writing.
    EXPECT_GT(gardes[0], 0);
    EXPECT_GT(gardes[1], 0);
    EXPECT_GT(restes, 0);
}

TEST_F(Interruption, LeFichierEstToujoursLAncienOuLeNouveau)
{
    interrompre(false);
}

// Rewritten in place: the file is the old catalogue, the new one, or, killed in the
// middle of the rewrite, its backup is the old one.
TEST_F(Interruption, AvecUnAutreNomRienNEstPerdu)
{
    interrompre(true);
}

} // namespace
