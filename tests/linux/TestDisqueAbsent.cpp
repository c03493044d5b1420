// An update while the query's disk is out of the drive: its mount point stays behind
// as an empty folder of the volume beneath. So too for a disk that has neither label
// nor serial (an ext4 made with a null UUID, a FAT of serial 0, a squashfs): the query
// stores no identity then, and the volume beneath has one.

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <fstream>

#include "model/CRequete.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ImageDisque.h"
#include "tests/linux/ScenarioEnfant.h"

TEST(DisqueAbsent, lePointDeMontageVideGardeLeSnapshot)
{
    CDossierTemporaire d;
    const std::string sansIdentite =
        formaterImage(d.sous("sans-identite.img"), "mkfs.ext4", {"-q", "-U", "clear", "IMAGE"}, 8 << 20);
    const std::string point = d.sous("cle");
    ASSERT_EQ(mkdir(point.c_str(), 0755), 0);
    for (const std::string& image : {std::string(), sansIdentite}) {
        SCOPED_TRACE(image.empty() ? "tmpfs étiqueté CLE" : "ext4 sans étiquette ni UUID");
        const SResultatEnfant r = executerDansEnfant([&] {
            espaceMontagePrive();
            if (image.empty())
                monter("CLE", point, "tmpfs", 0);
            else
                monterImage("ext4", image, point);
            std::ofstream(point + "/photo.jpg") << "x";
            CCaptureReelle capture(point);
            EXPECT_EQ(capture.capturer(), EResultatMiseAJour::Capturee);
            const std::vector<std::string> avant = capture.inventaire();
            const std::string nom = capture.requete().nomVolume;
            const std::uint32_t serie = capture.requete().numeroSerie;
            if (umount2(point.c_str(), MNT_DETACH) != 0)
                scenarioNonPermis("umount2 refusé");

            const EResultatMiseAJour resultat = capture.capturer();
            const CRequete& q = capture.requete();
            const auto lignes = [](const std::vector<std::string>& v) {
                std::string t;
                for (const std::string& l : v)
                    t += l + '\n';
                return t;
            };
            return joindre({std::to_string(static_cast<int>(resultat)), lignes(avant), lignes(capture.inventaire()),
                            std::to_string(nom == q.nomVolume && serie == q.numeroSerie), texteDisqueAbsent(q),
                            std::to_string(nom.empty() && serie == 0)});
        });
        if (r.fin == EFinEnfant::NonPermise || (!image.empty() && sansIdentite.empty())) {
            std::cout << "scénario sauté : " << (r.sortie.empty() ? "mkfs.ext4 absent" : r.sortie) << "\n";
            continue;
        }
        ASSERT_EQ(r.fin, EFinEnfant::Terminee) << r.sortie;
        const std::vector<std::string> l = decouper(r.sortie);
        ASSERT_EQ(l.size(), 6u) << r.sortie;
        EXPECT_EQ(l[0], std::to_string(static_cast<int>(EResultatMiseAJour::DisqueAbsent)));
        EXPECT_EQ(l[1], "f photo.jpg\n");
        EXPECT_EQ(l[2], l[1]);
        EXPECT_EQ(l[3], "1");  // label and serial of the disk, not of the volume beneath
        EXPECT_NE(l[4].find("n'est pas présent : la requête « arbre » n'a pas été mise à jour."), std::string::npos) << l[4];
        EXPECT_EQ(l[5], image.empty() ? "0" : "1");  // the scenario is the one meant
        if (!image.empty())
            EXPECT_EQ(l[4].rfind("Le disque sans nom ni numéro de série n'est pas présent", 0), 0u) << l[4];
    }
}
