// Mount table parsing and the root of a path.

#include "platform/linux/CPlateformeLinux.h"
#include "platform/linux/PointsMontage.h"
#include "tests/linux/LigneMontage.h"

#include <gtest/gtest.h>

namespace {

const char* const kMountinfo =
    "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw,discard\n"
    "30 27 0:27 / /media/cl\\303\\251\\040usb rw,relatime shared:5 master:1 - vfat /dev/sdb1 rw,fmask=0022\n"
    "31 27 0:28 / /media/cl rw,relatime - tmpfs tmpfs rw\n"
    "32 27 0:29 /export /mnt/partage rw - nfs4 serveur:/export rw,vers=4.2\n"
    "33 27 0:30 / /mnt/partage rw - cifs //serveur/documents rw\n"
    "malformed line without a separator\n"
    "34 27 0:31 / /tab\\011et\\134barre rw - tmpfs tmpfs rw";

} // namespace

TEST(PointsMontage, analyseLesChampsEtLesEchappements)
{
    const std::vector<SPointMontage> m = analyserMountinfo(kMountinfo);
    ASSERT_EQ(m.size(), 6u);
    EXPECT_EQ(m[0].pointMontage, "/");
    EXPECT_EQ(m[0].typeFs, "ext4");
    EXPECT_EQ(m[0].source, "/dev/vda");
    EXPECT_EQ(m[0].numeroPeriph, "254:0");
    EXPECT_EQ(m[1].pointMontage, "/media/clé usb"); // optional fields skipped
    EXPECT_EQ(m[1].typeFs, "vfat");
    EXPECT_EQ(m[1].source, "/dev/sdb1");
    EXPECT_EQ(m[3].source, "serveur:/export");
    EXPECT_EQ(m[5].pointMontage, "/tab\tet\\barre");
}

TEST(PointsMontage, lignesTronqueesIgnorees)
{
    EXPECT_TRUE(analyserMountinfo("").empty());
    EXPECT_TRUE(analyserMountinfo("1 2 3:4 / /x rw - ext4\n").empty()); // no source
    EXPECT_TRUE(analyserMountinfo("1 2 3:4 / relatif rw - ext4 /dev/x rw\n").empty());
    EXPECT_EQ(analyserMountinfo("1 2 3:4 / /x rw - ext4 /dev/x rw\n\n").size(), 1u);
    EXPECT_EQ(analyserMountinfo("1 2 3:4 / /x\\04 rw - ext4 /dev/x rw").at(0).pointMontage, "/x\\04");
}

TEST(PointsMontage, cheminsEchappesCommeParLeNoyauLusTelsQuels)
{
    // A backslash written before digits must not turn into an escape once read.
    for (const std::string chemin : {"/tmp/dossier-f3 b", "/tab\tet\nligne", "/litteral\\040", "/fin\\", "/[x]-\xc3\xa9 #"}) {
        const std::vector<SPointMontage> m =
            analyserMountinfo("1 0 0:9 / " + champMontage(chemin) + " rw - tmpfs " + champMontage(chemin) + " rw\n");
        ASSERT_EQ(m.size(), 1u) << chemin;
        EXPECT_EQ(m[0].pointMontage, chemin);
        EXPECT_EQ(m[0].source, chemin);
        EXPECT_EQ(racineDans(m, chemin + "/sous"), chemin);
    }
}

TEST(PointsMontage, racineEstLePlusLongPointDeMontageParComposants)
{
    const std::vector<SPointMontage> m = analyserMountinfo(kMountinfo);
    EXPECT_EQ(racineDans(m, "/media/clé usb/Photos/a.jpg"), "/media/clé usb");
    EXPECT_EQ(racineDans(m, "/media/clé usb"), "/media/clé usb");
    EXPECT_EQ(racineDans(m, "/media/clé usb/"), "/media/clé usb");
    EXPECT_EQ(racineDans(m, "/media/cl/x"), "/media/cl");
    // "/media/clé" is not under "/media/cl": only whole components count.
    EXPECT_EQ(racineDans(m, "/media/clé"), "/");
    EXPECT_EQ(racineDans(m, "/home/moi"), "/");
    EXPECT_EQ(racineDans(m, "/"), "/");
}

TEST(PointsMontage, leDernierMontageSurUnMemePointGagne)
{
    const std::vector<SPointMontage> m = analyserMountinfo(kMountinfo);
    const SPointMontage* montage = montageDe(m, "/mnt/partage/rapport.doc");
    ASSERT_NE(montage, nullptr);
    EXPECT_EQ(montage->typeFs, "cifs");
}

TEST(PointsMontage, sansTableLaRacineEstLaBarre)
{
    EXPECT_EQ(racineDans({}, "/home/moi"), "/");
    EXPECT_EQ(montageDe({}, "/home/moi"), nullptr);
}

TEST(PointsMontage, cheminsWindowsGardentLeurRacine)
{
    const std::vector<SPointMontage> m = analyserMountinfo(kMountinfo);
    EXPECT_EQ(racineDans(m, "C:\\Photos\\a.jpg"), "C:\\");
    EXPECT_EQ(racineDans(m, "\\\\serveur\\partage\\x"), "\\\\serveur\\partage");
    EXPECT_EQ(racineDans(m, "relatif/x"), "");
    EXPECT_EQ(racineDans(m, ""), "");
}

TEST(PointsMontage, plateformeLitLaTableDuSysteme)
{
    CPlateformeLinux p;
    EXPECT_EQ(p.racine("/"), "/");
    EXPECT_TRUE(p.estRacine("/"));
    EXPECT_EQ(p.racine("/proc/self/status"), "/proc");
    EXPECT_TRUE(p.estRacine("/proc"));
    EXPECT_TRUE(p.estRacine("/proc/"));
    EXPECT_FALSE(p.estRacine("/proc/self"));
}
