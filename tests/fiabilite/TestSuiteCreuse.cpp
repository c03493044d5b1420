// The bytes after the last binder of a sparse catalogue (a 3 GB hole, a few bytes of
// data in it): opening costs no more memory than the binders, a save copies them file
// to file with the holes kept, by a rename as in place, and bytes another program
// changed since the open are never written back as if they were the ones read.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/core/Factices.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

constexpr off_t kTrou = off_t(3) << 30;
const std::string kMilieu = "milieu", kFin = "fin";

class SuiteCreuse : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        CDoc doc;
        remplirCatalogue(doc, 20, 30, 'a');
        ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
        debut = static_cast<off_t>(lireTout(chemin).size());
        ASSERT_EQ(truncate(chemin.c_str(), debut + kTrou), 0);
        ecrireA(debut + kTrou / 2, kMilieu);
        ecrireA(debut + kTrou - 3, kFin);
    }
    void ecrireA(off_t ou, const std::string& quoi)
    {
        const int fd = open(chemin.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_EQ(pwrite(fd, quoi.data(), quoi.size(), ou), static_cast<ssize_t>(quoi.size()));
        close(fd);
    }
    std::string lireA(off_t ou, std::size_t n)
    {
        std::string r(n, '\0');
        const int fd = open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
        r.resize(static_cast<std::size_t>(std::max<ssize_t>(pread(fd, r.data(), n, ou), 0)));
        close(fd);
        return r;
    }
    // The catalogue through norvanel-cli under a 512 MB address space.
    int cli(const std::vector<std::string>& args)
    {
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer reserves terabytes of address space: the bound is checked by the
        // plain build, the content by both.
        std::vector<std::string> argv = {NORVANEL_CLI};
#else
        std::vector<std::string> argv = {"/usr/bin/prlimit", "--as=536870912", NORVANEL_CLI};
#endif
        argv.insert(argv.end(), args.begin(), args.end());
        CProcessusEnfant c(argv);
        const int code = c.attendre();
        EXPECT_EQ(code, 0) << c.sortie();
        return code;
    }

    CDossierTemporaire d;
    const std::string chemin = d.sous("creux.kbt");
    off_t debut = 0;
};

TEST_F(SuiteCreuse, LaSuiteResteCreuseEtIntacte)
{
    for (const bool enPlace : {false, true}) {
        if (enPlace) {
            ASSERT_EQ(link(chemin.c_str(), d.sous("autre.kbt").c_str()), 0);
        }
        ASSERT_EQ(cli({"info", chemin}), 0);
        ASSERT_EQ(cli({"mkbinder", chemin, enPlace ? "Sur place" : "Renomme"}), 0);
        struct stat st {};
        ASSERT_EQ(stat(chemin.c_str(), &st), 0);
        const off_t nouveauDebut = st.st_size - kTrou;
        ASSERT_GT(nouveauDebut, debut) << "the binder was added";
        EXPECT_LT(st.st_blocks * 512, 64 << 20) << "the holes became zeros";
        EXPECT_EQ(lireA(nouveauDebut + kTrou / 2, kMilieu.size()), kMilieu);
        EXPECT_EQ(lireA(nouveauDebut + kTrou - 3, 3), kFin);
        EXPECT_EQ(lireA(nouveauDebut, 4096), std::string(4096, '\0'));
        debut = nouveauDebut;
    }
}

TEST_F(SuiteCreuse, UneSuiteChangeeDepuisLOuvertureNEstPasEcrite)
{
    CDoc doc;
    ASSERT_TRUE(chargerCatalogue(doc, chemin));
    ecrireA(debut + kTrou / 2, "change");
    const auto resultat = enregistrerCatalogue(doc, chemin);
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("les octets qui suivent son dernier classeur ont été changés par un autre programme "
                           "depuis son ouverture. Le fichier précédent est intact."),
              std::string::npos)
        << resultat.raison();
    EXPECT_EQ(lireA(debut + kTrou / 2, 6), "change");
    EXPECT_EQ(entreesDe(d.chemin()), std::vector<std::string>{"creux.kbt"});
}

// A rewrite in place that fails and puts the old content back leaves the bytes where
// they were: the next save writes them.
TEST_F(SuiteCreuse, UnEnregistrementSurPlaceRateNePerdPasLaSuite)
{
    ASSERT_EQ(link(chemin.c_str(), d.sous("autre.kbt").c_str()), 0);
    CDoc doc;
    ASSERT_TRUE(chargerCatalogue(doc, chemin));
    struct stat cible {};
    ASSERT_EQ(stat(chemin.c_str(), &cible), 0);
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    bool echoue = false;
    appels.ecrire = [&](int fd, const void* o, std::size_t n) -> ssize_t {
        struct stat st {};
        if (!echoue && fstat(fd, &st) == 0 && st.st_ino == cible.st_ino) {
            echoue = true;
            errno = EIO;
            return -1;
        }
        return write(fd, o, n);
    };
    ASSERT_FALSE(enregistrerCatalogue(doc, chemin, appels));
    ASSERT_TRUE(echoue);
    ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
    EXPECT_EQ(lireA(debut + kTrou / 2, kMilieu.size()), kMilieu);
    EXPECT_EQ(lireA(debut + kTrou - 3, 3), kFin);
}

} // namespace
