// The label and serial a capture records for a real disk (an ext4 image on a loop
// device), as root and as an ordinary user who may not read the device, with udev's
// view of it given by the test or not.

#include "model/CRequete.h"
#include "platform/linux/IdentiteVolume.h"
#include "platform/linux/PointsMontage.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ImageDisque.h"
#include "tests/linux/ScenarioEnfant.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace {

constexpr const char* kUuid = "12345678-9abc-def0-0fed-cba987654321";
constexpr std::uint32_t kSerieUuid = 0x12345678u ^ 0x9ABCDEF0u ^ 0x0FEDCBA9u ^ 0x87654321u;

enum class EVueUdev { Aucune, Donnees, Liens };

struct SCasIdentite {
    const char* nom;
    bool ordinaire;       // the capture runs as uid 65534, who cannot open the device
    EVueUdev vue;
    const char* donnees;  // the database file's text, for EVueUdev::Donnees
    const char* etiquette;
    std::uint32_t serie;  // 0: the one from the file-system id
};

// Writes udev's view of the device mounted at `point` under `racines`.
void ecrireVueUdev(const SCasIdentite& cas, const std::string& point, const SRacinesUdev& racines)
{
    const std::vector<SPointMontage> montages = lirePointsMontage();
    const SPointMontage* montage = montageDe(montages, point);
    if (montage == nullptr || montage->pointMontage != point)
        throw std::runtime_error("montage introuvable");
    mkdir(racines.donnees.c_str(), 0755);
    mkdir(racines.liens.c_str(), 0755);
    switch (cas.vue) {
    case EVueUdev::Aucune:
        break;
    case EVueUdev::Donnees:
        std::ofstream(racines.donnees + "/b" + montage->numeroPeriph) << cas.donnees;
        break;
    case EVueUdev::Liens:
        for (const auto& [dossier, nom] : {std::pair{"/by-label", "Disque\\x20photos"}, std::pair{"/by-uuid", kUuid}}) {
            mkdir((racines.liens + dossier).c_str(), 0755);
            if (symlink(montage->source.c_str(), (racines.liens + dossier + "/" + nom).c_str()) != 0)
                throw std::runtime_error("symlink");
        }
        break;
    }
}

} // namespace

TEST(IdentiteDisque, sourcesDeLEtiquetteEtDuNumero)
{
    CDossierTemporaire d;
    ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0); // the ordinary user goes through it
    const std::string image = formaterImage(d.sous("disque.img"), "mkfs.ext4",
                                            {"-q", "-L", "Disque photos", "-U", kUuid, "IMAGE"}, 8 << 20);
    if (image.empty())
        GTEST_SKIP() << "mkfs.ext4 absent (paquet e2fsprogs)";
    const std::string point = d.sous("point");
    ASSERT_EQ(mkdir(point.c_str(), 0755), 0);

    const SCasIdentite cas[] = {
        {"udev d'abord, même quand le périphérique se lit", false, EVueUdev::Donnees,
         "E:ID_FS_TYPE=ext4\nE:ID_FS_LABEL_ENC=Par\\x20udev\nE:ID_FS_UUID=ABCD-1234\n", "Par udev", 0xABCD1234u},
        {"utilisateur, base de udev", true, EVueUdev::Donnees,
         "E:ID_FS_LABEL=Disque_photos\nE:ID_FS_LABEL_ENC=Disque\\x20photos\nE:ID_FS_UUID=12345678-9abc-def0-0fed-"
         "cba987654321\n",
         "Disque phot", kSerieUuid},
        {"utilisateur, liens de /dev/disk", true, EVueUdev::Liens, "", "Disque phot", kSerieUuid},
        {"root sans udev : le périphérique", false, EVueUdev::Aucune, "", "Disque phot", kSerieUuid},
        {"utilisateur sans udev : ni étiquette ni chemin", true, EVueUdev::Aucune, "", "", 0},
    };
    int numero = 0;
    for (const SCasIdentite& c : cas) {
        SCOPED_TRACE(c.nom);
        const SRacinesUdev racines{d.sous("donnees" + std::to_string(numero)), d.sous("disk" + std::to_string(numero))};
        ++numero;
        const SResultatEnfant r = executerDansEnfant([&] {
            espaceMontagePrive();
            monterImage("ext4", image, point);
            ecrireVueUdev(c, point, racines);
            if (c.ordinaire)
                devenirPersonne();
            CCaptureReelle capture(point, racines);
            if (capture.capturer() != EResultatMiseAJour::Capturee)
                throw std::runtime_error("capture refusée");
            struct statfs fs {};
            statfs(point.c_str(), &fs);
            return joindre({capture.requete().nomVolume, std::to_string(capture.requete().numeroSerie),
                            std::to_string(numeroSerieDepuisFsid(fs.f_fsid.__val[0], fs.f_fsid.__val[1]))});
        });
        VERIFIER_ENFANT(r);
        const std::vector<std::string> l = decouper(r.sortie);
        ASSERT_EQ(l.size(), 3u) << r.sortie;
        EXPECT_EQ(l[0], c.etiquette);
        EXPECT_EQ(l[1], c.serie != 0 ? std::to_string(c.serie) : l[2]);
    }
}
