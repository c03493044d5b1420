// What a save keeps of the file it replaces: extended attributes, its other names
// (hard links), its read-only state; and how a save that must rewrite a file in place
// fails: the old content comes back, or stays whole in a backup the message names.

#include "tests/core/Factices.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "storage/CSortie.h"
#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

ino_t inodeDe(const std::string& chemin)
{
    struct stat st {};
    return ::stat(chemin.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Writes to the file of inode `cible` fail from the `n`-th on (from 1), after the
// earlier ones went through; with `une`, only that one fails.
SAppelsEcriture ecrituresSurCibleEnEchec(ino_t cible, int n, bool une)
{
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    auto compte = std::make_shared<int>(0);
    appels.ecrire = [=, vrai = appels.ecrire](int fd, const void* o, std::size_t t) -> ssize_t {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && st.st_ino == cible) {
            const int numero = ++*compte;
            if (numero == n || (!une && numero > n)) {
                errno = EIO;
                return -1;
            }
        }
        return vrai(fd, o, t);
    };
    return appels;
}

class EcritureEnPlace : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        CDoc doc;
        remplirCatalogue(doc, 30000, 60, 'a');
        ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
        ancien = lireTout(chemin);
        remplirCatalogue(nouveau, 25000, 60, 'b');
    }

    CDossierTemporaire dossier;
    const std::string chemin = dossier.sous("cd.kbt");
    const std::string lien = dossier.sous("autre-nom.kbt");
    std::string ancien;
    CDoc nouveau;
};

TEST_F(EcritureEnPlace, LesAttributsEtendusSontGardes)
{
    ASSERT_EQ(::setxattr(chemin.c_str(), "user.norvanel.essai", "valeur\0binaire", 14, 0), 0)
        << std::strerror(errno);
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    char valeur[64] = {};
    ASSERT_EQ(::getxattr(chemin.c_str(), "user.norvanel.essai", valeur, sizeof valeur), 14);
    EXPECT_EQ(std::string(valeur, 14), std::string("valeur\0binaire", 14));
    EXPECT_EQ(lireTout(chemin), ecrireCatalogue(nouveau));
}

TEST_F(EcritureEnPlace, LesLiensPhysiquesSontGardes)
{
    ASSERT_EQ(::link(chemin.c_str(), lien.c_str()), 0);
    const ino_t inode = inodeDe(chemin);
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_EQ(inodeDe(chemin), inode);
    EXPECT_EQ(inodeDe(lien), inode);
    EXPECT_EQ(lireTout(lien), ecrireCatalogue(nouveau));  // shorter than before: cut to length
    EXPECT_FALSE(nouveau.estModifie());
    EXPECT_EQ(entreesDe(dossier.chemin()), (std::vector<std::string>{"autre-nom.kbt", "cd.kbt"}));
}

// The rewrite fails on its first, second... write: the old content is put back.
TEST_F(EcritureEnPlace, UnEchecDeLaReecritureRemetLAncienContenu)
{
    ASSERT_EQ(::link(chemin.c_str(), lien.c_str()), 0);
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        const auto resultat = enregistrerCatalogue(nouveau, chemin, ecrituresSurCibleEnEchec(inodeDe(chemin), n, true));
        ASSERT_FALSE(resultat);
        EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + chemin +
                               " » : erreur de lecture ou d'écriture sur le support. Le fichier précédent est intact.");
        EXPECT_TRUE(lireTout(lien) == ancien);
        EXPECT_TRUE(nouveau.estModifie());
        EXPECT_EQ(entreesDe(dossier.chemin()), (std::vector<std::string>{"autre-nom.kbt", "cd.kbt"}));
    }
}

// Even putting it back fails: the backup that holds the whole old content stays, and
// the message says where.
TEST_F(EcritureEnPlace, SansRetourPossibleLaSauvegardeReste)
{
    ASSERT_EQ(::link(chemin.c_str(), lien.c_str()), 0);
    const auto resultat = enregistrerCatalogue(nouveau, chemin, ecrituresSurCibleEnEchec(inodeDe(chemin), 2, false));
    ASSERT_FALSE(resultat);
    const std::vector<std::string> noms = entreesDe(dossier.chemin());
    ASSERT_EQ(noms.size(), 3u);
    const std::string sauvegarde = dossier.sous(noms[0]);
    EXPECT_EQ(noms[0].rfind(".cd.kbt.", 0), 0u) << noms[0];
    EXPECT_TRUE(lireTout(sauvegarde) == ancien);
    EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + chemin +
                           " » : erreur de lecture ou d'écriture sur le support. Son contenu précédent est gardé "
                           "dans « " + sauvegarde + " ».");
    // The next save, once the disk works again, leaves the backup alone.
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_TRUE(existe(sauvegarde));
    EXPECT_EQ(lireTout(lien), ecrireCatalogue(nouveau));
}

// A catalogue left damaged by a rewrite that could not finish: opening it names the
// backup that holds its old content.
TEST_F(EcritureEnPlace, OuvrirUnCatalogueAbimeNommeSaSauvegarde)
{
    const std::string sauvegarde = dossier.sous(".cd.kbt.Ab3dE9.norvanel-sav");
    ASSERT_EQ(::rename(chemin.c_str(), sauvegarde.c_str()), 0);
    {
        std::ofstream(chemin, std::ios::binary) << "abîmé";
    }
    CDoc doc;
    const auto resultat = chargerCatalogue(doc, chemin);
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find(" Une copie de son contenu d'avant un enregistrement interrompu se trouve dans « " +
                           sauvegarde + " »."),
              std::string::npos)
        << resultat.raison();
    EXPECT_TRUE(chargerCatalogue(doc, sauvegarde));
}

// Read-only to everyone, root included: the owner's choice stands.
TEST_F(EcritureEnPlace, FichierEnLectureSeuleRefuse)
{
    ASSERT_EQ(::chmod(chemin.c_str(), 0444), 0);
    const auto resultat = enregistrerCatalogue(nouveau, chemin);
    ASSERT_FALSE(resultat);
    EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + chemin +
                           " » : l'accès est refusé. Le fichier précédent est intact.");
    EXPECT_TRUE(lireTout(chemin) == ancien);
    EXPECT_EQ(entreesDe(dossier.chemin()), std::vector<std::string>{"cd.kbt"});
}

// With no previous file, nothing claims one is intact.
TEST_F(EcritureEnPlace, SansFichierPrecedentRienNEstDitIntact)
{
    const std::string neuf = dossier.sous("neuf.kbt");
    SAppelsEcriture plein = SAppelsEcriture::systeme();
    plein.ecrire = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    const auto resultat = enregistrerCatalogue(nouveau, neuf, plein);
    ASSERT_FALSE(resultat);
    EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + neuf + " » : le disque est plein.");
    EXPECT_FALSE(existe(neuf));
}

// A new catalogue never replaces one another program made while it was being written.
TEST_F(EcritureEnPlace, UneCreationNeRemplaceRien)
{
    const std::string neuf = dossier.sous("neuf.kbt");
    const auto echec = creerFichierSur(neuf, [&](CSortie& s) {
        s.ecrire("nouveau", 7);
        std::ofstream(neuf, std::ios::binary) << "arrivé entre-temps";
    });
    ASSERT_TRUE(echec);
    EXPECT_EQ(echec->raison, "le fichier existe déjà");
    EXPECT_EQ(lireTout(neuf), "arrivé entre-temps");
    EXPECT_EQ(entreesDe(dossier.chemin()), (std::vector<std::string>{"cd.kbt", "neuf.kbt"}));
    // Nor a link that leads nowhere yet.
    ASSERT_EQ(::symlink("absent.kbt", dossier.sous("lien.kbt").c_str()), 0);
    EXPECT_FALSE(creerCatalogue(nouveau, dossier.sous("lien.kbt")));
    EXPECT_FALSE(existe(dossier.sous("absent.kbt")));
    ASSERT_TRUE(creerCatalogue(nouveau, dossier.sous("libre.kbt")));
    EXPECT_EQ(lireTout(dossier.sous("libre.kbt")), ecrireCatalogue(nouveau));
}

// Every reason a save or a read may meet is told in French, never in the system's
// English.
TEST(RaisonSysteme, EnFrancais)
{
    for (const int erreur : {ENOSPC, EDQUOT, EFBIG, EACCES, EPERM, EROFS, ENOENT, ENOTDIR, EISDIR, ENAMETOOLONG, EIO,
                             ENOMEM, ELOOP, ETXTBSY, EBUSY, EEXIST, EMFILE, ENFILE, EAGAIN, EWOULDBLOCK, ENXIO,
                             EINVAL, EXDEV, ENOTEMPTY, ESTALE, ETIMEDOUT, EINTR, EOVERFLOW, ENOTSUP, ENOLCK}) {
        const std::string raison = raisonSysteme(erreur);
        SCOPED_TRACE(std::strerror(erreur));
        EXPECT_EQ(raison.find(std::strerror(erreur)), std::string::npos);
        EXPECT_EQ(raison.find("numéro"), std::string::npos) << raison;
        EXPECT_FALSE(raison.empty());
    }
    EXPECT_EQ(raisonSysteme(12345), "erreur système numéro 12345");
}

} // namespace
