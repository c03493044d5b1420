// A save that passes the file-size limit (prlimit --fsize): the write fails with EFBIG,
// and the program is not killed by SIGXFSZ, which it does not ignore.

#include "tests/core/CataloguesDeTest.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/VerificationsEtapes.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/CommandeExterne.h"

namespace {

void enregistrerSousLimite(const std::string& limite)
{
    const auto prlimit = trouverProgramme("prlimit");
    if (!prlimit)
        GTEST_SKIP() << "prlimit est absent de cette machine";
    CDossierTemporaire d;
    const std::string chemin = d.sous("cd.kbt");
    // A small catalogue; one of about 4 MB in 1 MiB writes; one path of 3 MB in one write.
    CProcessusEnfant aide({*prlimit, "--fsize=" + limite, "--", cheminDuProgramme(), "--aide", "enregistrer", "limite",
                           chemin, "20:40:a", "30000:60:b", "1:3000000:c"});
    ASSERT_TRUE(aide.lance());
    ASSERT_EQ(aide.attendre(), 0) << aide.sortie();
    const Rapport r = lireRapport(aide.sortie());
    attendreSucces(r, "limite.1");
    attendreEchec(r, "limite.2", "le fichier dépasse la taille permise");
    attendreEchec(r, "limite.3", "le fichier dépasse la taille permise");
    EXPECT_EQ(entreesDe(d.chemin()), std::vector<std::string>{"cd.kbt"});
}

// The limit falls on a buffer boundary: the write after it cannot take a single byte.
TEST(LimiteDeTaille, AtteinteEntreDeuxEcritures)
{
    enregistrerSousLimite("1048576");
}

// The limit falls inside a write: it is cut short, and the next one fails.
TEST(LimiteDeTaille, AtteinteAuMilieuDUneEcriture)
{
    enregistrerSousLimite("1500000");
}

} // namespace
