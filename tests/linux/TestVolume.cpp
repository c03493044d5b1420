// Volume label and serial: the UUID rules, and libblkid on real file-system images.

#include "platform/linux/CPlateformeLinux.h"
#include "platform/linux/IdentiteVolume.h"
#include "platform/linux/VolumeBlkid.h"
#include "platform/linux/VolumeMonte.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ImageDisque.h"
#include "tests/linux/LigneMontage.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

TEST(NumeroSerie, depuisLUuid)
{
    const std::pair<const char*, std::uint32_t> cas[] = {
        {"ABCD-1234", 0xABCD1234u}, // FAT, exFAT
        {"12ab-cdef", 0x12ABCDEFu},
        {"0123456789ABCDEF", 0x89ABCDEFu}, // NTFS: the low half
        {"12345678-9abc-def0-0fed-cba987654321", 0x12345678u ^ 0x9ABCDEF0u ^ 0x0FEDCBA9u ^ 0x87654321u},
        {"", 0u},
    };
    for (const auto& [uuid, serie] : cas)
        EXPECT_EQ(numeroSerieDepuisUuid(uuid), serie) << uuid;
    // Other forms (ISO 9660 dates, odd lengths): a hash, stable and telling texts apart.
    const std::uint32_t iso = numeroSerieDepuisUuid("2003-03-07-09-05-00-00");
    EXPECT_EQ(iso, numeroSerieDepuisUuid("2003-03-07-09-05-00-00"));
    EXPECT_NE(iso, numeroSerieDepuisUuid("2003-03-07-09-05-01-00"));
    EXPECT_NE(numeroSerieDepuisUuid("123"), 0x123u);
    EXPECT_EQ(numeroSerieDepuisFsid(0x12340000, 0x00005678), 0x12345678u);
}

TEST(Etiquette, coupeeAOnzeOctetsSansCouperUnCaractere)
{
    const std::pair<const char*, const char*> cas[] = {
        {"ABCDEFGHIJK", "ABCDEFGHIJK"},
        {"ABCDEFGHIJKL", "ABCDEFGHIJK"},
        {"ABCDEFGHIJé", "ABCDEFGHIJ"}, // é would need bytes 11 and 12
        {"ABCDEFGHIé", "ABCDEFGHIé"},
        {"ABCDEFGH€€", "ABCDEFGH€"},
        {"ABCDEFGH\xF0\x9F\x98\x80", "ABCDEFGH"},
        {"ABCDEFGHIJ\x80\x80\x80\x80", "ABCDEFGHIJ\x80"}, // stray bytes: a plain cut
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_EQ(tronqueUtf8(texte, 11), attendu) << texte;
}

namespace {

// File-system images made by the mkfs tools in a temporary folder.
class ImagesVolume : public ::testing::Test {
protected:
    // formaterImage() in the test's folder, as `nom`.
    std::string formater(const std::string& outil, std::vector<std::string> arguments, const std::string& nom,
                         off_t taille)
    {
        return formaterImage(m_dossier.sous(nom), outil, std::move(arguments), taille);
    }

    // `n` bytes of the image at `position`, read as a little-endian number.
    static std::uint64_t lirePetitBoutiste(const std::string& image, std::streamoff position, int n)
    {
        std::ifstream f(image, std::ios::binary);
        f.seekg(position);
        std::uint64_t valeur = 0;
        for (int i = 0; i < n; ++i)
            valeur |= static_cast<std::uint64_t>(static_cast<unsigned char>(f.get())) << (8 * i);
        return valeur;
    }

    CDossierTemporaire m_dossier;
    // An udev that knows no device, whatever the machine's own knows.
    const SRacinesUdev m_udevVide{m_dossier.sous("udev-absent"), m_dossier.sous("udev-absent")};
};

} // namespace

TEST_F(ImagesVolume, vfatEtiquetteEtNumero)
{
    const std::string image = formater("mkfs.vfat", {"-C", "-n", "LABEL", "-i", "12ABCDEF", "IMAGE", "1440"}, "fat.img", 0);
    if (image.empty())
        GTEST_SKIP() << "mkfs.vfat absent (paquet dosfstools)";
    const std::optional<SVolume> v = sonderVolume(image);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->nom, "LABEL"); // the padding spaces of FAT are not part of it
    EXPECT_EQ(v->numeroSerie, 0x12ABCDEFu);
}

TEST_F(ImagesVolume, vfatEtiquetteDeOnzeCaracteresEntiere)
{
    const std::string image = formater("mkfs.vfat", {"-n", "ABCDEFGHIJK", "-i", "DEADBEEF", "IMAGE"}, "fat11.img", 1440 * 1024);
    if (image.empty())
        GTEST_SKIP() << "mkfs.vfat absent (paquet dosfstools)";
    const std::optional<SVolume> v = sonderVolume(image);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->nom, "ABCDEFGHIJK");
    EXPECT_EQ(v->numeroSerie, 0xDEADBEEFu);
    // The serial as Windows reads it from the boot sector (offset 0x27 on FAT12/16).
    EXPECT_EQ(v->numeroSerie, lirePetitBoutiste(image, 0x27, 4));
}

TEST_F(ImagesVolume, exfat)
{
    const std::string image = formater("mkfs.exfat", {"-L", "LBL", "IMAGE"}, "exfat.img", 8 << 20);
    if (image.empty())
        GTEST_SKIP() << "mkfs.exfat absent ou en échec (paquet exfatprogs)";
    const std::optional<SVolume> v = sonderVolume(image);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->nom, "LBL");
    // VolumeSerialNumber of the exFAT boot sector, at offset 100.
    EXPECT_EQ(v->numeroSerie, lirePetitBoutiste(image, 100, 4));
}

TEST_F(ImagesVolume, ntfsMoitieBasseDuNumeroDeSerie)
{
    std::string image = formater("mkfs.ntfs", {"-F", "-f", "-q", "-L", "LBL", "IMAGE"}, "ntfs.img", 16 << 20);
    if (image.empty())
        image = formater("mkfs.ntfs", {"-F", "-f", "-q", "-L", "LBL", "-s", "512", "-p", "0", "-H", "0", "-S", "0", "IMAGE"},
                         "ntfs2.img", 16 << 20);
    if (image.empty())
        GTEST_SKIP() << "mkfs.ntfs absent ou incapable de formater une image ici (paquet ntfs-3g)";
    const std::optional<SVolume> v = sonderVolume(image);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->nom, "LBL");
    // The 64-bit serial of the NTFS boot sector is at 0x48; Windows shows its low half.
    EXPECT_EQ(v->numeroSerie, lirePetitBoutiste(image, 0x48, 4));
}

TEST_F(ImagesVolume, fichiersSansSystemeDeFichiers)
{
    const std::string vide = m_dossier.sous("vide.img");
    std::ofstream(vide) << std::string(4096, '\0');
    EXPECT_FALSE(sonderVolume(vide).has_value());
    EXPECT_FALSE(sonderVolume(m_dossier.sous("absent.img")).has_value());
    EXPECT_FALSE(sonderVolume(m_dossier.chemin()).has_value()); // a folder
    ASSERT_EQ(mkfifo(m_dossier.sous("tube").c_str(), 0644), 0);
    EXPECT_FALSE(sonderVolume(m_dossier.sous("tube")).has_value()); // and does not wait on it
}

TEST_F(ImagesVolume, infoVolumeSondeLaSourceDuMontage)
{
    const std::string image = formater("mkfs.vfat", {"-n", "DISQUE", "-i", "0A1B2C3D", "IMAGE"}, "fat.img", 1440 * 1024);
    if (image.empty())
        GTEST_SKIP() << "mkfs.vfat absent (paquet dosfstools)";
    const std::string racine = m_dossier.chemin();
    const std::vector<SPointMontage> montages =
        analyserMountinfo("1 0 254:0 / / rw - ext4 /dev/absent rw\n"
                          "2 1 7:0 / " + champMontage(racine) + " rw - vfat " + champMontage(image) + " rw\n");
    const std::optional<SVolume> v = infoVolumeDans(montages, racine, m_udevVide);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->nom, "DISQUE");
    EXPECT_EQ(v->numeroSerie, 0x0A1B2C3Du);
}

TEST_F(ImagesVolume, sourceIlisibleDonneLeNomDuPartageOuRienEtLIdentifiantDuSysteme)
{
    const std::string racine = m_dossier.chemin();
    ASSERT_EQ(mkfifo(m_dossier.sous("tube").c_str(), 0644), 0);
    struct statfs fs {};
    ASSERT_EQ(statfs(racine.c_str(), &fs), 0);
    const std::uint32_t attendu =
        static_cast<std::uint32_t>(fs.f_fsid.__val[0]) ^ static_cast<std::uint32_t>(fs.f_fsid.__val[1]);

    // Whole: the catalogue keeps 11 bytes of it, in its own code page.
    const std::string sources[][2] = {{"serveur:/export/partage", "serveur:/export/partage"},
                                      {"//serveur/documents", "//serveur/documents"},
                                      {"tmpfs", "tmpfs"},
                                      // A device or an image that cannot be read: its
                                      // path is no label.
                                      {m_dossier.sous("tube"), ""},
                                      {"/dev/norvanel-absent", ""}};
    for (const auto& [source, etiquette] : sources) {
        const std::vector<SPointMontage> montages =
            analyserMountinfo("2 1 0:99 / " + champMontage(racine) + " rw - nfs4 " + champMontage(source) + " rw\n");
        const std::optional<SVolume> v = infoVolumeDans(montages, racine, m_udevVide);
        ASSERT_TRUE(v.has_value()) << source;
        EXPECT_EQ(v->nom, etiquette);
        EXPECT_EQ(v->numeroSerie, attendu) << source;
    }
}

TEST(InfoVolume, racineIllisibleDonneNullopt)
{
    CPlateformeLinux p;
    EXPECT_FALSE(p.infoVolume("/chemin/qui/n/existe/pas").has_value());
    EXPECT_FALSE(p.infoVolume("C:\\").has_value());
    EXPECT_FALSE(p.infoVolume("").has_value());
}
