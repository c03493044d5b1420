// A disk that fills up during a save: small tmpfs mounts in a private mount namespace
// (unshare -m), where the helper saves catalogues that fit and then ones that do not.

#include <sys/stat.h>

#include "tests/core/CataloguesDeTest.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/VerificationsEtapes.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/CommandeExterne.h"

namespace {

TEST(DisquePlein, LAncienCatalogueResteIntact)
{
    const auto unshare = trouverProgramme("unshare");
    if (!unshare)
        GTEST_SKIP() << "unshare est absent de cette machine";
    CDossierTemporaire d;
    const std::string petit = d.sous("petit");
    const std::string moyen = d.sous("moyen");
    ASSERT_EQ(mkdir(petit.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(moyen.c_str(), 0755), 0);
    if (executer({*unshare, "-m", "--", "/bin/sh", "-c", "mount -t tmpfs -o size=64k tmpfs \"$0\"", petit}) != 0)
        GTEST_SKIP() << "ni espace de montage privé (unshare -m) ni montage tmpfs permis ici";

    // 64 KiB: a small catalogue fits; one of about 400 KB leaves the buffer in a single
    // write that the disk cuts short; a small one fits again, so nothing was left taking
    // room. 3 MiB: a catalogue of about 4 MB goes out in 1 MiB writes, the third cut
    // short; then one path of 4 MB, written in one go; then a small one again.
    const char* script =
        "mount -t tmpfs -o size=64k tmpfs \"$1\" && mount -t tmpfs -o size=3m tmpfs \"$2\" && "
        "\"$0\" --aide enregistrer petit \"$1/cd.kbt\" 20:40:a 2000:120:b 20:40:c && "
        "\"$0\" --aide enregistrer moyen \"$2/cd.kbt\" 20:40:a 30000:60:b 1:4000000:c 20:40:d";
    CProcessusEnfant aide({*unshare, "-m", "--", "/bin/sh", "-c", script, cheminDuProgramme(), petit, moyen});
    ASSERT_TRUE(aide.lance());
    ASSERT_EQ(aide.attendre(), 0) << aide.sortie();
    const Rapport r = lireRapport(aide.sortie());

    attendreSucces(r, "petit.1");
    attendreEchec(r, "petit.2", "le disque est plein");
    attendreSucces(r, "petit.3");
    attendreSucces(r, "moyen.1");
    attendreEchec(r, "moyen.2", "le disque est plein");
    attendreEchec(r, "moyen.3", "le disque est plein");
    attendreSucces(r, "moyen.4");
    // The mounts lived only in the child's namespace.
    EXPECT_TRUE(entreesDe(petit).empty());
}

} // namespace
