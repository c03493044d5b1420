// Folders that cannot be read, and entries that vanish or change while they are read.

#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Lignes = std::vector<std::string>;

std::string nomDe(const std::string& chemin) { return chemin.substr(chemin.rfind('/') + 1); }

class DossierIllisible : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
        for (const char* dossier : {"a", "ferme", "ferme/dedans", "z"})
            ASSERT_EQ(mkdir(d.sous(dossier).c_str(), 0755), 0);
        for (const char* fichier : {"a/f", "ferme/secret", "ferme/dedans/secret", "z/f"})
            std::ofstream(d.sous(fichier)) << "x";
        ASSERT_EQ(chmod(d.sous("ferme").c_str(), 0000), 0);
    }

    // Captured as the user 65534, who may not read ferme/: the result, the number of
    // messages shown, then the snapshot.
    SResultatEnfant capturerSansPrivileges(bool dossiersVides)
    {
        return executerDansEnfant([&] {
            devenirPersonne();
            CCaptureReelle capture(d.chemin());
            capture.requete().inclureDossiersVides = dossiersVides;
            const EResultatMiseAJour resultat = capture.capturer(GetParam());
            Lignes lignes = {resultat == EResultatMiseAJour::Capturee ? "capturée" : "non capturée",
                             std::to_string(capture.messages().size()) + " message(s)"};
            for (const std::string& ligne : capture.inventaire())
                lignes.push_back(ligne);
            return joindre(lignes);
        });
    }

    CDossierTemporaire d;
};

TEST_P(DossierIllisible, laCaptureContinueEtLeDossierEstGardeVide)
{
    const SResultatEnfant r = capturerSansPrivileges(true);
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"capturée", "0 message(s)", "d a", "d ferme", "d z", "f a/f", "f z/f"}));
}

TEST_P(DossierIllisible, sansLesDossiersVidesIlNApparaitPas)
{
    const SResultatEnfant r = capturerSansPrivileges(false);
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"capturée", "0 message(s)", "d a", "d z", "f a/f", "f z/f"}));
}

// A folder of `nombre` files dated 10 March 2003, listed up to its first entry.
class EntreesQuiDisparaissent : public ::testing::Test {
protected:
    static constexpr std::int64_t kDate = 1047297600;

    void creerFichiers(int nombre)
    {
        const timespec temps[2] = {{kDate, 0}, {kDate, 0}};
        for (int i = 0; i < nombre; ++i) {
            const std::string chemin = d.sous("f" + std::to_string(i));
            close(open(chemin.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
            ASSERT_EQ(utimensat(AT_FDCWD, chemin.c_str(), temps, 0), 0);
        }
    }

    // The entries still to come once the folder changed under the enumeration.
    std::map<std::string, SEntreeDossier> suite(CEnumeration& e)
    {
        std::map<std::string, SEntreeDossier> entrees;
        SEntreeDossier entree;
        while (e.suivante(entree))
            entrees[nomDe(entree.chemin)] = entree;
        return entrees;
    }

    CDossierTemporaire d;
    CPlateformeLinux p;
};

TEST_F(EntreesQuiDisparaissent, fichiersEffacesApresLaLectureDuDossierSontSautes)
{
    creerFichiers(200);
    std::unique_ptr<CEnumeration> e = p.enumerer(d.chemin());
    ASSERT_NE(e, nullptr);
    SEntreeDossier premiere;
    ASSERT_TRUE(e->suivante(premiere)); // the folder's names are read in one go here
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(unlink(d.sous("f" + std::to_string(i)).c_str()), 0);
    const auto entrees = suite(*e);
    for (const auto& [nom, entree] : entrees)
        EXPECT_TRUE(nom == "." || nom == "..") << nom;
}

TEST_F(EntreesQuiDisparaissent, fichiersRenommesSontSautesOuComplets)
{
    creerFichiers(200);
    std::unique_ptr<CEnumeration> e = p.enumerer(d.chemin());
    ASSERT_NE(e, nullptr);
    SEntreeDossier premiere;
    ASSERT_TRUE(e->suivante(premiere));
    for (int i = 0; i < 200; i += 2)
        ASSERT_EQ(rename(d.sous("f" + std::to_string(i)).c_str(), d.sous("r" + std::to_string(i)).c_str()), 0);
    for (const auto& [nom, entree] : suite(*e)) {
        if (nom == "." || nom == "..")
            continue;
        // Whatever name it came under, an entry has all its values.
        EXPECT_EQ(entree.ecriture, tempsFichierDepuisUnix(kDate)) << nom;
        EXPECT_EQ(entree.acces, tempsFichierDepuisUnix(kDate)) << nom;
        EXPECT_NE(entree.creation, 0) << nom;
        EXPECT_EQ(access(entree.chemin.c_str(), F_OK), 0) << nom << " n'existe pas";
    }
}

TEST_F(EntreesQuiDisparaissent, sousDossierDisparuOuRemplaceNEstPasOuvert)
{
    for (const char* dossier : {"efface", "tube", "lien", "ailleurs", "reste"})
        ASSERT_EQ(mkdir(d.sous(dossier).c_str(), 0755), 0);
    std::ofstream(d.sous("ailleurs/cible")) << "x";
    const SResultatEnfant r = executerDansEnfant([&] {
        std::unique_ptr<CEnumeration> e = p.enumerer(d.chemin());
        if (!e)
            return std::string("dossier illisible");
        const auto entrees = suite(*e);
        // Between the listing and the opening: gone, swapped for a FIFO (which must not
        // be waited on), swapped for a link to a folder (which must not be followed).
        rmdir(d.sous("efface").c_str());
        rmdir(d.sous("tube").c_str());
        mkfifo(d.sous("tube").c_str(), 0644);
        rmdir(d.sous("lien").c_str());
        symlink(d.sous("ailleurs").c_str(), d.sous("lien").c_str());
        Lignes ouverts;
        for (const auto& [nom, entree] : entrees)
            if (nom != "." && nom != ".." && e->ouvrirSousDossier(entree))
                ouverts.push_back(nom);
        return joindre(ouverts);
    });
    VERIFIER_ENFANT(r);
    EXPECT_EQ(decouper(r.sortie), (Lignes{"ailleurs", "reste"}));
}

TEST_F(EntreesQuiDisparaissent, seulUnNomDuDossierPeutEtreOuvert)
{
    ASSERT_EQ(mkdir(d.sous("sous").c_str(), 0755), 0);
    std::unique_ptr<CEnumeration> e = p.enumerer(d.chemin());
    ASSERT_NE(e, nullptr);
    SEntreeDossier entree;
    entree.attributs = kAttrDossier;
    for (const std::string& chemin : {std::string("/etc"), d.sous("."), d.sous(".."), d.sous("sous/."),
                                      d.sous("sous/.."), d.chemin() + "/", d.chemin() + "-autre/sous",
                                      d.sous(std::string("sous\0x", 6))}) {
        entree.chemin = chemin;
        EXPECT_EQ(e->ouvrirSousDossier(entree), nullptr) << chemin;
    }
    entree.chemin = d.sous("sous");
    EXPECT_NE(e->ouvrirSousDossier(entree), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Fils, DossierIllisible, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });

} // namespace
