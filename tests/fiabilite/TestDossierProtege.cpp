// A save by a user who may not write in the catalogue's folder (root ignores
// permissions, so the helper runs as uid 65534 through setpriv). The file itself is
// left writable by everyone: only a save that fell back to writing in place could
// succeed, and it must not.

#include <sys/stat.h>
#include <unistd.h>

#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/core/Factices.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/VerificationsEtapes.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/CommandeExterne.h"

namespace {

class DossierProtege : public AvecPlateformeFactice {};

TEST_F(DossierProtege, LAccesEstRefuseEtLeFichierIntact)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "il faut être root pour lancer la sauvegarde sous un autre utilisateur";
    const auto setpriv = trouverProgramme("setpriv");
    if (!setpriv)
        GTEST_SKIP() << "setpriv est absent de cette machine";
    CDossierTemporaire d;
    ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
    const std::string chemin = d.sous("cd.kbt");
    {
        CDoc doc;
        remplirCatalogue(doc, 20, 40, 'a');
        ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
    }
    ASSERT_EQ(chmod(chemin.c_str(), 0666), 0);
    const std::string ancien = lireTout(chemin);

    CProcessusEnfant aide({*setpriv, "--reuid=65534", "--regid=65534", "--clear-groups", "--", cheminDuProgramme(),
                           "--aide", "enregistrer", "protege", chemin, "20:40:b"});
    ASSERT_TRUE(aide.lance());
    ASSERT_EQ(aide.attendre(), 0) << aide.sortie();
    attendreEchec(lireRapport(aide.sortie()), "protege.1", "l'accès est refusé");

    EXPECT_TRUE(lireTout(chemin) == ancien);
    EXPECT_EQ(entreesDe(d.chemin()), std::vector<std::string>{"cd.kbt"});
    struct stat st {};
    ASSERT_EQ(stat(chemin.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    EXPECT_EQ(st.st_uid, 0u);
}

} // namespace
