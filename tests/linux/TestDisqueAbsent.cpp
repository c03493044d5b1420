// An update while the query's disk is out of the drive: its mount point stays behind
// as an empty folder of the volume beneath.

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <fstream>

#include "model/CRequete.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/linux/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"

TEST(DisqueAbsent, lePointDeMontageVideGardeLeSnapshot)
{
    CDossierTemporaire d;
    const std::string point = d.sous("cle");
    ASSERT_EQ(mkdir(point.c_str(), 0755), 0);
    const SResultatEnfant r = executerDansEnfant([&] {
        espaceMontagePrive();
        monter("CLE", point, "tmpfs", 0);
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
                        std::to_string(nom == q.nomVolume && serie == q.numeroSerie), texteDisqueAbsent(q)});
    });
    VERIFIER_ENFANT(r);
    const std::vector<std::string> l = decouper(r.sortie);
    ASSERT_EQ(l.size(), 5u) << r.sortie;
    EXPECT_EQ(l[0], std::to_string(static_cast<int>(EResultatMiseAJour::DisqueAbsent)));
    EXPECT_EQ(l[1], "f photo.jpg\n");
    EXPECT_EQ(l[2], l[1]);
    EXPECT_EQ(l[3], "1");  // label and serial of the disk, not of the volume beneath
    EXPECT_NE(l[4].find("n'est pas présent : la requête « arbre » n'a pas été mise à jour."), std::string::npos) << l[4];
}
