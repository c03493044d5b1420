// udev's view of a device, read from files that any program may have written there:
// its database text, hostile or not, and the file itself (size, kind).

#include "platform/linux/VueUdev.h"
#include "tests/commun/CDossierTemporaire.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

TEST(VueUdev, texteDeLaBaseDeDonnees)
{
    using namespace std::string_view_literals;
    struct Cas {
        std::string_view texte;
        bool decrit;
        const char* etiquette;
        const char* uuid;
    };
    const Cas cas[] = {
        {"S:disk/by-label/Cl\\x20USB\nE:ID_FS_TYPE=vfat\nE:ID_FS_LABEL=Cl_USB\nE:ID_FS_LABEL_ENC=Cl\\x20USB\n"
         "E:ID_FS_UUID=ABCD-1234\n",
         true, "Cl USB", "ABCD-1234"},
        {"E:ID_FS_LABEL_ENC=\\xc3\\xa9t\\xC3\\xA9\\x2fa\\x5cb\nE:ID_FS_UUID=0123456789ABCDEF", true, "été/a\\b",
         "0123456789ABCDEF"},
        // Escapes that are not: kept as they are.
        {"E:ID_FS_LABEL_ENC=a\\x4\nE:ID_FS_TYPE=ntfs\n", true, "a\\x4", ""},
        {"E:ID_FS_LABEL_ENC=\\xZZ\\\\x\\", true, "\\xZZ\\\\x\\", ""},
        // A decoded NUL ends the label.
        {"E:ID_FS_LABEL_ENC=AB\\x00CD\n", true, "AB", ""},
        {"E:ID_FS_TYPE=ext4\r\n", true, "", ""}, // a file system without label or UUID
        // Nothing about a file system: a whole disk, another key, a damaged line.
        {"E:ID_PART_TABLE_TYPE=gpt\nE:ID_FS_LABEL=X\n", false, "", ""},
        {"E:ID_FS_UUID\nID_FS_UUID=1234-5678\nE:ID_FS_UUIDX=1\nE:ID_FS_UUID=\n", false, "", ""},
        {"", false, "", ""},
        {"\0\n\0E:ID_FS_UUID=1\n"sv, false, "", ""},
    };
    for (const Cas& c : cas) {
        const std::optional<SSystemeUdev> s = analyserDonneesUdev(c.texte);
        ASSERT_EQ(s.has_value(), c.decrit) << c.texte;
        if (s) {
            EXPECT_EQ(s->etiquette, c.etiquette) << c.texte;
            EXPECT_EQ(s->uuid, c.uuid) << c.texte;
        }
    }
}

TEST(VueUdev, fichiersDeLaBaseEtLiens)
{
    CDossierTemporaire d;
    const SRacinesUdev racines{d.sous("donnees"), d.sous("disque")};
    ASSERT_EQ(mkdir(racines.donnees.c_str(), 0755), 0);
    const dev_t peripherique = makedev(8, 17);
    const std::string fichier = racines.donnees + "/b8:17";

    EXPECT_FALSE(systemeSelonUdev(racines, peripherique)) << "ni base ni liens";

    // A huge file: its start is read, a line cut by the limit is not.
    {
        std::ofstream f(fichier);
        f << "E:ID_FS_UUID=ABCD-1234\n" << std::string(70000, 'x') << "\nE:ID_FS_LABEL_ENC=LOIN\n";
    }
    std::optional<SSystemeUdev> s = systemeSelonUdev(racines, peripherique);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->uuid, "ABCD-1234");
    EXPECT_EQ(s->etiquette, "");
    {
        std::ofstream f(fichier);
        f << std::string(65530, '#') << "\nE:ID_FS_LABEL_ENC=COUPEE\n";
    }
    EXPECT_FALSE(systemeSelonUdev(racines, peripherique));

    // A FIFO or a folder in the file's place: not read, not waited on.
    ASSERT_EQ(unlink(fichier.c_str()), 0);
    ASSERT_EQ(mkfifo(fichier.c_str(), 0644), 0);
    EXPECT_FALSE(systemeSelonUdev(racines, peripherique));
    ASSERT_EQ(unlink(fichier.c_str()), 0);
    ASSERT_EQ(mkdir(fichier.c_str(), 0755), 0);
    EXPECT_FALSE(systemeSelonUdev(racines, peripherique));

    // The links of /dev/disk: only those to a block device of these numbers count.
    struct stat nul {};
    ASSERT_EQ(stat("/dev/null", &nul), 0);
    ASSERT_EQ(mkdir(racines.liens.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((racines.liens + "/by-label").c_str(), 0755), 0);
    ASSERT_EQ(symlink("/dev/null", (racines.liens + "/by-label/Pas\\x20un\\x20disque").c_str()), 0);
    ASSERT_EQ(symlink("boucle", (racines.liens + "/by-label/boucle").c_str()), 0);
    EXPECT_FALSE(systemeSelonUdev(racines, nul.st_rdev)) << "/dev/null n'est pas un périphérique bloc";
}
