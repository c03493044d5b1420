// What a save creates beside a catalogue holds its content: the temporary file and the
// backup of a rewrite in place are ours alone from their first byte, whatever the
// umask; a rewrite killed after its write leaves the new content alone (never followed
// by the end of the old one), and the next open names the backup it left.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "storage/SuiteInconnue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/core/Factices.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/UtilisateurOrdinaire.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

class DroitsEnregistrement : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
        remplirCatalogue(ancien, 4000, 60, 'a');
        ASSERT_TRUE(enregistrerCatalogue(ancien, chemin));
        ASSERT_EQ(chmod(chemin.c_str(), 0600), 0);
        // A second name: the save rewrites the file in place, from a backup.
        ASSERT_EQ(link(chemin.c_str(), d.sous("autre.kbt").c_str()), 0);
        remplirCatalogue(nouveau, 10, 20, 'b');
        umask_ = umask(022);
    }
    void TearDown() override
    {
        umask(umask_);
        AvecPlateformeFactice::TearDown();
    }
    // The other files beside the catalogue, with their mode.
    std::map<std::string, mode_t> crees()
    {
        std::map<std::string, mode_t> r;
        for (const std::string& nom : entreesDe(d.chemin())) {
            struct stat st {};
            if (nom != "cd.kbt" && nom != "autre.kbt" && lstat(d.sous(nom).c_str(), &st) == 0)
                r[nom] = st.st_mode & 07777;
        }
        return r;
    }
    bool lisibleParUnAutre(const std::string& fichier)
    {
        const auto commande = commeUtilisateurOrdinaire({"/bin/cat", fichier});
        return commande && CProcessusEnfant(*commande).attendre() == 0;
    }

    CDossierTemporaire d;
    const std::string chemin = d.sous("cd.kbt");
    CDoc ancien, nouveau;
    mode_t umask_ = 0;
};

// Seen at every write and sync of the save: nothing beside the catalogue opens to the
// group or to others, and another user cannot read it.
TEST_F(DroitsEnregistrement, LesFichiersDeLEnregistrementSontPrives)
{
    std::map<std::string, mode_t> vus;
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    const auto ecrire = appels.ecrire;
    appels.ecrire = [&](int fd, const void* o, std::size_t n) {
        for (const auto& [nom, mode] : crees())
            vus[nom] |= mode;
        return ecrire(fd, o, n);
    };
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin, appels));
    ASSERT_GE(vus.size(), 2u);  // the temporary and the backup
    for (const auto& [nom, mode] : vus)
        EXPECT_EQ(mode, 0600u) << nom;
    EXPECT_TRUE(crees().empty());
    EXPECT_EQ(lireTout(chemin), ecrireCatalogue(nouveau));
}

// Killed just after writing the new content over the old: the file is that content
// alone, the backup holds the old one for its owner only, and opening names it.
TEST_F(DroitsEnregistrement, UnArretApresLEcritureLaisseUnFichierNetEtSaSauvegardeNommee)
{
    struct stat cible {};
    ASSERT_EQ(stat(chemin.c_str(), &cible), 0);
    const pid_t enfant = fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
        SAppelsEcriture appels = SAppelsEcriture::systeme();
        appels.ecrire = [&](int fd, const void* o, std::size_t n) {
            struct stat st {};
            const ssize_t r = ::write(fd, o, n);
            if (fstat(fd, &st) == 0 && st.st_ino == cible.st_ino)
                _exit(9);  // as a kill between the write and what follows it
            return r;
        };
        (void)enregistrerCatalogue(nouveau, chemin, appels);
        _exit(0);
    }
    int statut = 0;
    ASSERT_EQ(waitpid(enfant, &statut, 0), enfant);
    ASSERT_EQ(WEXITSTATUS(statut), 9);

    EXPECT_EQ(lireTout(chemin), ecrireCatalogue(nouveau));
    const std::vector<std::string> sauvegardes = sauvegardesDe(chemin);
    ASSERT_EQ(sauvegardes.size(), 1u);
    EXPECT_EQ(crees().at(sauvegardes[0].substr(d.chemin().size() + 1)), 0600u);
    EXPECT_EQ(lireTout(sauvegardes[0]), ecrireCatalogue(ancien));
    if (geteuid() == 0) {
        EXPECT_FALSE(lisibleParUnAutre(sauvegardes[0]));
    }

    CDoc relu;
    ASSERT_TRUE(chargerCatalogue(relu, chemin));
    EXPECT_TRUE(!relu.suiteInconnue || relu.suiteInconnue->vide());
    // Whoever opened it tells the user where the backup is.
    EXPECT_EQ(avertissementsChargement(chemin), std::vector<std::string>{texteSauvegardeLaissee(chemin, sauvegardes[0])});
}

} // namespace
