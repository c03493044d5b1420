// Saving through a temporary file: whichever system call fails, and at whichever
// moment, the previous catalogue stays byte for byte, the document stays modified and
// nothing is left beside it; leftovers of killed saves go at the next save.

#include "tests/core/Factices.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>

#include "storage/CSortie.h"
#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

// The real calls, except that write number `n` (from 1) is handed to `remplacement`.
SAppelsEcriture ecritureRemplacee(int n, std::function<ssize_t(int, const void*, std::size_t)> remplacement)
{
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    auto compte = std::make_shared<int>(0);
    appels.ecrire = [compte, n, remplacement, vrai = appels.ecrire](int fd, const void* o, std::size_t t) {
        return ++*compte == n ? remplacement(fd, o, t) : vrai(fd, o, t);
    };
    return appels;
}

// The disk fills up during write number `n`: it takes half, and no later call takes any.
SAppelsEcriture disquePleinA(int n)
{
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    auto compte = std::make_shared<int>(0);
    appels.ecrire = [compte, n](int fd, const void* o, std::size_t t) -> ssize_t {
        if (++*compte < n)
            return ::write(fd, o, t);
        if (*compte == n)
            return ::write(fd, o, t / 2);
        errno = ENOSPC;
        return -1;
    };
    return appels;
}

SAppelsEcriture synchronisationEnEchec(int n, int erreur)
{
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    auto compte = std::make_shared<int>(0);
    appels.synchroniser = [compte, n, erreur, vrai = appels.synchroniser](int fd) {
        if (++*compte != n)
            return vrai(fd);
        errno = erreur;
        return -1;
    };
    return appels;
}

class EcritureSure : public AvecPlateformeFactice {
protected:
    // A catalogue of several megabytes (several 1 MiB buffers) on disk, and another one
    // in `nouveau`, to be saved over it.
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        CDoc doc;
        remplirCatalogue(doc, 30000, 60, 'a');
        ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
        ancien = lireTout(chemin);
        remplirCatalogue(nouveau, 30000, 60, 'b');
        ASSERT_GT(ancien.size(), 3u << 20);
    }

    // Saves `nouveau` with the calls `appels(n)` for n = 1, 2, ... until a save works,
    // checking that each failure left everything as it was; the n that worked.
    int enregistrerJusquAuSucces(const std::function<SAppelsEcriture(int)>& appels, const std::string& raison)
    {
        for (int n = 1; n <= 100; ++n) {
            const auto resultat = enregistrerCatalogue(nouveau, chemin, appels(n));
            if (resultat)
                return n;
            SCOPED_TRACE("appel " + std::to_string(n));
            EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + chemin + " » : " + raison +
                                   ". Le fichier précédent est intact.");
            EXPECT_TRUE(lireTout(chemin) == ancien);
            EXPECT_TRUE(nouveau.estModifie());
            EXPECT_EQ(entreesDe(dossier.chemin()), std::vector<std::string>{"cd.kbt"});
            if (HasFailure())
                return -1;
        }
        return -1;
    }
    void verifierNouveauEnPlace()
    {
        EXPECT_TRUE(lireTout(chemin) == ecrireCatalogue(nouveau));
        EXPECT_FALSE(nouveau.estModifie());
        EXPECT_EQ(entreesDe(dossier.chemin()), std::vector<std::string>{"cd.kbt"});
    }

    CDossierTemporaire dossier;
    const std::string chemin = dossier.sous("cd.kbt");
    std::string ancien;
    CDoc nouveau;
};

TEST_F(EcritureSure, ChaqueEcritureEnEchecALaSuite)
{
    const int reussi = enregistrerJusquAuSucces(
        [](int n) {
            return ecritureRemplacee(n, [](int, const void*, std::size_t) -> ssize_t {
                errno = EIO;
                return -1;
            });
        },
        "erreur de lecture ou d'écriture sur le support");
    // The save that worked made n - 1 writes: one per 1 MiB buffer.
    EXPECT_GE(reussi, 5);
    verifierNouveauEnPlace();
}

TEST_F(EcritureSure, DisquePleinAuMilieuDUneEcriture)
{
    EXPECT_GE(enregistrerJusquAuSucces(disquePleinA, "le disque est plein"), 5);
    verifierNouveauEnPlace();
}

// A write that takes nothing without saying why is a full disk too, never a success.
TEST_F(EcritureSure, EcritureQuiNePrendRien)
{
    const int reussi = enregistrerJusquAuSucces(
        [](int n) { return ecritureRemplacee(n, [](int, const void*, std::size_t) -> ssize_t { return 0; }); },
        "le disque est plein");
    EXPECT_GE(reussi, 5);
    verifierNouveauEnPlace();
}

TEST_F(EcritureSure, QuotaDepasse)
{
    const auto resultat = enregistrerCatalogue(nouveau, chemin, ecritureRemplacee(3, [](int, const void*, std::size_t) -> ssize_t {
                                                 errno = EDQUOT;
                                                 return -1;
                                             }));
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("le quota d'espace disque est dépassé"), std::string::npos) << resultat.raison();
    EXPECT_TRUE(lireTout(chemin) == ancien);
}

// A signal that interrupts a write is no failure: the write starts again.
TEST_F(EcritureSure, EcrituresInterrompuesReprises)
{
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    auto interrompre = std::make_shared<bool>(false);
    int interruptions = 0;
    appels.ecrire = [interrompre, &interruptions](int fd, const void* o, std::size_t t) -> ssize_t {
        *interrompre = !*interrompre;
        if (*interrompre) {
            ++interruptions;
            errno = EINTR;
            return -1;
        }
        return ::write(fd, o, t);
    };
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin, appels));
    EXPECT_GE(interruptions, 4);
    verifierNouveauEnPlace();
}

TEST_F(EcritureSure, SynchronisationDuFichierEnEchec)
{
    const auto resultat = enregistrerCatalogue(nouveau, chemin, synchronisationEnEchec(1, EIO));
    ASSERT_FALSE(resultat);
    EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + chemin +
                           " » : erreur de lecture ou d'écriture sur le support. Le fichier précédent est intact.");
    EXPECT_TRUE(lireTout(chemin) == ancien);
    EXPECT_TRUE(nouveau.estModifie());
    EXPECT_EQ(entreesDe(dossier.chemin()), std::vector<std::string>{"cd.kbt"});
}

// After the rename, the folder could not be synced: the new content is there but may not
// survive a power cut. The save is not called done, and the message does not claim the
// previous file is intact.
TEST_F(EcritureSure, SynchronisationDuDossierEnEchec)
{
    const auto resultat = enregistrerCatalogue(nouveau, chemin, synchronisationEnEchec(2, EIO));
    ASSERT_FALSE(resultat);
    EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + chemin +
                           " » : le dossier n'a pas pu être synchronisé (erreur de lecture ou d'écriture sur le "
                           "support). Le nouveau contenu est en place mais pourrait ne pas survivre à une coupure "
                           "de courant.");
    EXPECT_TRUE(lireTout(chemin) == ecrireCatalogue(nouveau));
    EXPECT_TRUE(nouveau.estModifie());
    EXPECT_EQ(entreesDe(dossier.chemin()), std::vector<std::string>{"cd.kbt"});
}

// Some file systems have nothing to sync for a folder and say so with EINVAL.
TEST_F(EcritureSure, DossierSansSynchronisation)
{
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin, synchronisationEnEchec(2, EINVAL)));
    verifierNouveauEnPlace();
}

TEST_F(EcritureSure, MemoireInsuffisantePendantLEcriture)
{
    const auto echec = ecrireFichierSur(chemin, [](CSortie& s) {
        s.ecrire("abc", 3);
        throw std::bad_alloc();
    });
    ASSERT_TRUE(echec);
    EXPECT_EQ(echec->raison, "la mémoire est insuffisante");
    EXPECT_FALSE(echec->dejaRemplace);
    EXPECT_TRUE(lireTout(chemin) == ancien);
    EXPECT_EQ(entreesDe(dossier.chemin()), std::vector<std::string>{"cd.kbt"});
}

// Any other exception goes on to the caller, and takes the temporary file with it.
TEST_F(EcritureSure, ExceptionTransmiseSansReste)
{
    EXPECT_THROW(ecrireFichierSur(chemin, [](CSortie&) { throw std::runtime_error("x"); }), std::runtime_error);
    EXPECT_TRUE(lireTout(chemin) == ancien);
    EXPECT_EQ(entreesDe(dossier.chemin()), std::vector<std::string>{"cd.kbt"});
}

// A rename over a pipe or a device would put a plain file in its place.
TEST_F(EcritureSure, CibleQuiNEstPasUnFichierOrdinaire)
{
    const std::string tube = dossier.sous("tube.kbt");
    ASSERT_EQ(mkfifo(tube.c_str(), 0644), 0);
    const auto resultat = enregistrerCatalogue(nouveau, tube);
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("ce n'est pas un fichier ordinaire. Le fichier précédent est intact."), std::string::npos)
        << resultat.raison();
    struct stat st {};
    ASSERT_EQ(lstat(tube.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(entreesDe(dossier.chemin()), (std::vector<std::string>{"cd.kbt", "tube.kbt"}));
}

TEST_F(EcritureSure, UnNouveauFichierSuitLeMasque)
{
    const mode_t avant = umask(027);
    const auto resultat = enregistrerCatalogue(nouveau, dossier.sous("neuf.kbt"));
    umask(avant);
    ASSERT_TRUE(resultat) << resultat.raison();
    struct stat st {};
    ASSERT_EQ(stat(dossier.sous("neuf.kbt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(EcritureSure, LeModeEtLeProprietaireSontGardes)
{
    ASSERT_EQ(chmod(chemin.c_str(), 0604), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(chemin.c_str(), 65534, 65534), 0);
    }
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    struct stat st {};
    ASSERT_EQ(stat(chemin.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
}

// --- Leftovers of killed saves ------------------------------------------------------

TEST(NomTemporaire, ReconnaissableEtPropreAuCatalogue)
{
    EXPECT_EQ(modeleTemporaire("cd.kbt"), ".cd.kbt.XXXXXX.norvanel-tmp");
    EXPECT_TRUE(estTemporaireDe(".cd.kbt.aZ09xY.norvanel-tmp", "cd.kbt"));
    EXPECT_FALSE(estTemporaireDe(".cd.kbt.aZ09x.norvanel-tmp", "cd.kbt"));     // five characters
    EXPECT_FALSE(estTemporaireDe(".cd.kbt.aZ09xYZ.norvanel-tmp", "cd.kbt"));   // seven
    EXPECT_FALSE(estTemporaireDe(".cd.kbt.aZ-9xY.norvanel-tmp", "cd.kbt"));    // not a letter or digit
    EXPECT_FALSE(estTemporaireDe(".cd.kbt.aZ09xY", "cd.kbt"));                 // no suffix
    EXPECT_FALSE(estTemporaireDe(".cd.kbt.aZ09xY.norvanel-tmp~", "cd.kbt"));
    EXPECT_FALSE(estTemporaireDe(".d.kbt.aZ09xY.norvanel-tmp", "cd.kbt"));     // another catalogue
    EXPECT_FALSE(estTemporaireDe(".cd.kbt.aZ09xY.norvanel-tmp", "d.kbt"));
    EXPECT_FALSE(estTemporaireDe(".cd.kbt.aZ09xY.norvanel-tmp", "cd"));
    // Names too long for the suffix are cut so that the whole stays within 255 bytes.
    const std::string long_(250, 'n');
    EXPECT_EQ(modeleTemporaire(long_).size(), 255u);
    EXPECT_TRUE(estTemporaireDe("." + long_.substr(0, 234) + ".abcdef.norvanel-tmp", long_));
}

TEST_F(EcritureSure, LesRestesDUnEnregistrementTueSontRetires)
{
    auto creer = [this](const std::string& nom) {
        const int fd = ::open(dossier.sous(nom).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0) << nom;
        ASSERT_EQ(::write(fd, "reste", 5), 5);
        ::close(fd);
    };
    creer(".cd.kbt.Ab3dE9.norvanel-tmp");
    creer(".cd.kbt.zzzzzz.norvanel-tmp");
    // Never anything else: other names, another catalogue's leftovers, links, folders,
    // pipes, a file with a second name, a file of another user.
    const std::vector<std::string> autres = {
        ".cd.kbt.Ab3dE.norvanel-tmp", ".cd.kbt.Ab3dE9", ".autre.kbt.Ab3dE9.norvanel-tmp", "cd.kbt.Ab3dE9.norvanel-tmp"};
    for (const std::string& nom : autres)
        creer(nom);
    ASSERT_EQ(symlink("cd.kbt", dossier.sous(".cd.kbt.lien01.norvanel-tmp").c_str()), 0);
    ASSERT_EQ(mkdir(dossier.sous(".cd.kbt.dossie.norvanel-tmp").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(dossier.sous(".cd.kbt.tube01.norvanel-tmp").c_str(), 0644), 0);
    creer("garde");
    ASSERT_EQ(link(dossier.sous("garde").c_str(), dossier.sous(".cd.kbt.lien02.norvanel-tmp").c_str()), 0);
    std::vector<std::string> attendu = autres;
    attendu.insert(attendu.end(), {".cd.kbt.lien01.norvanel-tmp", ".cd.kbt.dossie.norvanel-tmp",
                                   ".cd.kbt.tube01.norvanel-tmp", "garde", ".cd.kbt.lien02.norvanel-tmp", "cd.kbt"});
    if (geteuid() == 0) {
        creer(".cd.kbt.autre1.norvanel-tmp");
        ASSERT_EQ(chown(dossier.sous(".cd.kbt.autre1.norvanel-tmp").c_str(), 65534, 65534), 0);
        attendu.push_back(".cd.kbt.autre1.norvanel-tmp");
    }
    std::sort(attendu.begin(), attendu.end());

    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_EQ(entreesDe(dossier.chemin()), attendu);
    EXPECT_EQ(lireTout(dossier.sous("garde")), "reste");
    EXPECT_TRUE(lireTout(chemin) == ecrireCatalogue(nouveau));
}

// A temporary file that a save still running holds locked is not a leftover.
TEST_F(EcritureSure, UnEnregistrementEnCoursNEstPasDerange)
{
    const std::string enCours = dossier.sous(".cd.kbt.enCour.norvanel-tmp");
    const int fd = ::open(enCours.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_TRUE(existe(enCours));
    ::close(fd);  // that save is gone: the next one removes what it left
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_FALSE(existe(enCours));
}

TEST_F(EcritureSure, NomLongAvecSesRestes)
{
    const std::string nom(250, 'n');
    const std::string reste = dossier.sous("." + nom.substr(0, 234) + ".Ab3dE9.norvanel-tmp");
    const int fd = ::open(reste.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ASSERT_TRUE(enregistrerCatalogue(nouveau, dossier.sous(nom)));
    EXPECT_EQ(entreesDe(dossier.chemin()), (std::vector<std::string>{"cd.kbt", nom}));
    EXPECT_TRUE(lireTout(dossier.sous(nom)) == ecrireCatalogue(nouveau));
}

} // namespace
