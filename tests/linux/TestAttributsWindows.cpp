// The read-only, hidden, system and archive bits of disks formatted for Windows
// (NTFS through ntfs-3g, exFAT, vfat), set on a real image and captured by an ordinary
// user: the bits decide what is hidden, not a leading dot.

#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/linux/AttributsDos.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ImageDisque.h"
#include "tests/linux/ScenarioEnfant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <linux/msdos_fs.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

struct SSystemeWindows {
    const char* type; // as monterImage() takes it
    const char* outil;
    std::vector<std::string> arguments;
    off_t taille;
};

std::ostream& operator<<(std::ostream& flux, const SSystemeWindows& s) { return flux << s.type; }

// What a disk used on Windows holds, with the bits Windows gave each entry.
struct SEntree {
    const char* chemin;
    bool dossier;
    std::uint32_t bits;
};
const SEntree kEntrees[] = {
    {"$RECYCLE.BIN", true, kAttrCache | kAttrSysteme},
    {"$RECYCLE.BIN/desktop.ini", false, kAttrArchive},
    {"System Volume Information", true, kAttrCache | kAttrSysteme},
    {"System Volume Information/IndexerVolumeGuid", false, kAttrArchive},
    {"Photos", true, 0},
    {"Photos/a.jpg", false, kAttrArchive},
    {".point", false, kAttrArchive}, // no hidden bit, but a dot: hidden, as everywhere on Linux
    {"archive.txt", false, kAttrArchive},
    {"cache.txt", false, kAttrCache},
    {"lecture.txt", false, kAttrLectureSeule},
    {"systeme.sys", false, kAttrSysteme},
    {"tout.txt", false, kAttrLectureSeule | kAttrCache | kAttrSysteme | kAttrArchive},
};

// Sets `bits` on `chemin` the way the driver of `type` lets a program do it.
bool poserBits(const std::string& type, const std::string& chemin, std::uint32_t bits)
{
    if (type == "ntfs-3g") {
        const unsigned char mot[4] = {static_cast<unsigned char>(bits >> 24), static_cast<unsigned char>(bits >> 16),
                                      static_cast<unsigned char>(bits >> 8), static_cast<unsigned char>(bits)};
        return setxattr(chemin.c_str(), "system.ntfs_attrib_be", mot, sizeof mot, 0) == 0;
    }
    const int fd = open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    const bool pose = fd >= 0 && ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &bits) == 0;
    if (fd >= 0)
        close(fd);
    return pose;
}

void inventorier(const CDossier& dossier, std::size_t longueurRacine, std::vector<std::string>& lignes)
{
    for (const CFichier* f : dossier.fichiers())
        lignes.push_back("f " + f->chemin().substr(longueurRacine) + " " + f->lettres);
    for (const CDossier* s : dossier.sousDossiers()) {
        lignes.push_back("d " + s->chemin().substr(longueurRacine) + (s->estCache() ? " H" : ""));
        inventorier(*s, longueurRacine, lignes);
    }
}

// The capture of `point`, one line per entry with its attribute letters, sorted.
std::string capturer(const std::string& point, bool inclureCaches)
{
    CCaptureReelle capture(point);
    capture.requete().inclureCaches = inclureCaches;
    capture.requete().stockerAttributs = true;
    if (capture.capturer() != EResultatMiseAJour::Capturee)
        throw std::runtime_error("capture refusée");
    std::vector<std::string> lignes;
    inventorier(capture.requete(), point.size() + 1, lignes);
    std::sort(lignes.begin(), lignes.end());
    std::string texte;
    for (const std::string& l : lignes)
        texte += l + "\n";
    return texte;
}

// What the capture must give: the letters of the bits, in the order R, H, S, A; with
// hidden items off, nothing hidden and nothing below a hidden folder.
std::string attendu(bool inclureCaches)
{
    std::vector<std::string> lignes;
    // The bits read, and a dot name hidden whatever its bits.
    const auto bitsVus = [](const SEntree& e) { return e.bits | (e.chemin[0] == '.' ? kAttrCache : 0u); };
    for (const SEntree& entree : kEntrees) {
        const SEntree e{entree.chemin, entree.dossier, bitsVus(entree)};
        const std::string chemin = e.chemin;
        const auto cache = [&](const std::string& c) {
            return std::any_of(std::begin(kEntrees), std::end(kEntrees),
                               [&](const SEntree& x) { return c == x.chemin && (bitsVus(x) & kAttrCache) != 0; });
        };
        if (!inclureCaches && (cache(chemin) || cache(chemin.substr(0, chemin.find('/')))))
            continue;
        std::string lettres;
        for (const auto& [bit, lettre] : {std::pair{kAttrLectureSeule, 'R'}, std::pair{kAttrCache, 'H'},
                                          std::pair{kAttrSysteme, 'S'}, std::pair{kAttrArchive, 'A'}})
            if ((e.bits & bit) != 0)
                lettres += lettre;
        lignes.push_back(e.dossier ? "d " + chemin + ((e.bits & kAttrCache) != 0 ? " H" : "")
                                   : "f " + chemin + " " + lettres);
    }
    std::sort(lignes.begin(), lignes.end());
    std::string texte;
    for (const std::string& l : lignes)
        texte += l + "\n";
    return texte;
}

class AttributsWindows : public ::testing::TestWithParam<SSystemeWindows> {};

} // namespace

TEST(AttributsNtfs, valeursDesAttributsEtendus)
{
    using L = ELectureAttributsDos;
    const std::uint32_t natif = 0x2021; // ARCHIVE, READONLY and a bit the catalogue does not keep
    unsigned char octetsNatifs[4];
    std::memcpy(octetsNatifs, &natif, 4);
    struct Cas {
        L lecture;
        std::vector<unsigned char> valeur;
        ssize_t taille; // as getxattr returned it
        std::optional<std::uint32_t> bits;
    };
    const Cas cas[] = {
        {L::XattrNtfsGrandBoutiste, {0, 0, 0, 0x27}, 4, 0x27},
        {L::XattrNtfsGrandBoutiste, {0, 0, 0x04, 0x16}, 4, 0x06}, // folder, reparse point: not letters
        {L::XattrNtfsGrandBoutiste, {0, 0, 0x27}, 3, std::nullopt},
        {L::XattrNtfsGrandBoutiste, {0, 0, 0, 0x27, 0}, 5, std::nullopt},
        {L::XattrNtfsGrandBoutiste, {}, 0, std::nullopt},
        {L::XattrNtfsGrandBoutiste, {}, -1, std::nullopt},
        {L::XattrNtfs, {octetsNatifs, octetsNatifs + 4}, 4, 0x21},
        {L::XattrDos, {0x22}, 1, 0x22},
        {L::XattrDos, {0x22, 0, 0, 0}, 4, std::nullopt},
        {L::IoctlFat, {0, 0, 0, 0x27}, 4, std::nullopt},
        {L::Aucune, {0, 0, 0, 0x27}, 4, std::nullopt},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(decoderAttributsNtfs(c.lecture, c.valeur.data(), c.taille), c.bits)
            << static_cast<int>(c.lecture) << " " << c.taille;
}

TEST_P(AttributsWindows, lesBitsEtLePointCachentEtDonnentLesLettres)
{
    const SSystemeWindows& s = GetParam();
    CDossierTemporaire d;
    ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0); // the ordinary user goes through it
    const std::string image = formaterImage(d.sous("disque.img"), s.outil, s.arguments, s.taille);
    if (image.empty())
        GTEST_SKIP() << s.outil << " absent ou en échec";
    const std::string point = d.sous("point");
    ASSERT_EQ(mkdir(point.c_str(), 0755), 0);

    const SResultatEnfant r = executerDansEnfant([&] {
        espaceMontagePrive();
        monterImage(s.type, image, point);
        // Created first, marked afterwards, so that a read-only folder takes no file. Empty:
        // ntfs-3g then shows the empty system file as a FIFO that it cannot stat.
        for (const SEntree& e : kEntrees) {
            const std::string chemin = point + "/" + e.chemin;
            if (e.dossier ? mkdir(chemin.c_str(), 0755) != 0 : !std::ofstream(chemin)) {
                demonter(point);
                throw std::runtime_error("création de " + chemin);
            }
        }
        for (const SEntree& e : kEntrees)
            if (!poserBits(s.type, point + "/" + e.chemin, e.bits)) {
                demonter(point);
                scenarioNonPermis(std::string("le pilote ") + s.type + " ne pose pas les attributs DOS ici");
            }
        // As the user of the desktop, who may not open the device.
        const SResultatEnfant captures = executerDansEnfant([&] {
            devenirPersonne();
            return joindre({capturer(point, false), capturer(point, true)});
        });
        demonter(point);
        if (captures.fin == EFinEnfant::NonPermise)
            scenarioNonPermis(captures.sortie);
        if (captures.fin != EFinEnfant::Terminee)
            throw std::runtime_error(captures.sortie);
        return captures.sortie;
    });
    VERIFIER_ENFANT(r);
    const std::vector<std::string> l = decouper(r.sortie);
    ASSERT_EQ(l.size(), 2u) << r.sortie;
    EXPECT_EQ(l[0], attendu(false));
    EXPECT_EQ(l[1], attendu(true));
}

INSTANTIATE_TEST_SUITE_P(
    Disques, AttributsWindows,
    ::testing::Values(SSystemeWindows{"ntfs-3g", "mkntfs", {"-F", "-f", "-q", "-L", "USB", "IMAGE"}, 16 << 20},
                      SSystemeWindows{"exfat", "mkfs.exfat", {"-L", "USB", "IMAGE"}, 8 << 20},
                      SSystemeWindows{"vfat", "mkfs.vfat", {"-n", "USB", "IMAGE"}, 8 << 20}),
    [](const ::testing::TestParamInfo<SSystemeWindows>& info) {
        std::string nom = info.param.type;
        nom.erase(std::remove(nom.begin(), nom.end(), '-'), nom.end());
        return nom;
    });
