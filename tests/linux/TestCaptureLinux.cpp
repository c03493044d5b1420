// Capturing real folder trees with the Linux platform.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "capture/MiseAJour.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "tests/commun/CDossierTemporaire.h"
#include "workspace/CContexte.h"

namespace {

class CaptureLinux : public ::testing::Test {
protected:
    void SetUp() override
    {
        precedente_ = definirPlateforme(&linux_);
        doc = std::make_unique<CDoc>();
        doc->initialiserNouveau();
        q = new CRequete(doc->classeurs().elementA(0));
        q->definirChemin(dossier.chemin());
        doc->classeurs().elementA(0)->requetes().ajouter(q);
    }
    void TearDown() override
    {
        doc.reset();
        definirPlateforme(precedente_);
    }
    void creerFichier(const std::string& nom, const std::string& contenu = "x")
    {
        std::ofstream(dossier.sous(nom)) << contenu;
    }
    const CFichier* trouver(const CDossier& d, std::string_view nom) const
    {
        for (const CFichier* f : d.fichiers())
            if (f->nom() == nom)
                return f;
        for (const CDossier* s : d.sousDossiers())
            if (const CFichier* f = trouver(*s, nom))
                return f;
        return nullptr;
    }

    CDossierTemporaire dossier;
    std::unique_ptr<CDoc> doc;
    CRequete* q = nullptr;

private:
    CPlateformeLinux linux_;
    CPlateforme* precedente_ = nullptr;
};

TEST_F(CaptureLinux, LiensEtFichiersSpeciauxSontCataloguesSansEtreSuivis)
{
    ASSERT_EQ(mkdir(dossier.sous("cible").c_str(), 0755), 0);
    creerFichier("cible/dedans");
    ASSERT_EQ(symlink(dossier.sous("cible").c_str(), dossier.sous("lien").c_str()), 0);
    ASSERT_EQ(symlink("/nulle/part", dossier.sous("casse").c_str()), 0);
    ASSERT_EQ(mkfifo(dossier.sous("tube").c_str(), 0644), 0);

    ASSERT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    // The link is a file entry; its target is listed once, through the real folder.
    ASSERT_NE(trouver(*q, "lien"), nullptr);
    EXPECT_NE(trouver(*q, "casse"), nullptr);
    EXPECT_NE(trouver(*q, "tube"), nullptr);  // listed, and never opened (no hang)
    ASSERT_EQ(q->sousDossiers().nombre(), 1);
    EXPECT_EQ(q->sousDossiers().elementA(0)->chemin(), dossier.sous("cible"));
    EXPECT_EQ(q->fichiers().nombre(), 3);
}

TEST_F(CaptureLinux, NomsCachesEtDossierCache)
{
    creerFichier(".cache");
    ASSERT_EQ(mkdir(dossier.sous(".config").c_str(), 0755), 0);
    creerFichier(".config/visible");
    creerFichier("normal");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    ASSERT_NE(trouver(*q, ".cache"), nullptr);
    EXPECT_STREQ(trouver(*q, ".cache")->lettres, "H");
    EXPECT_TRUE(q->sousDossiers().elementA(0)->estCache());
    q->inclureCaches = false;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(trouver(*q, ".cache"), nullptr);
    EXPECT_EQ(trouver(*q, "visible"), nullptr);
    EXPECT_NE(trouver(*q, "normal"), nullptr);
}

TEST_F(CaptureLinux, NomsBizarresEtCheminsLongsGardesEntiers)
{
    const std::string invalide = "caf\xE9-\xFF.txt";  // Latin-1 bytes, not UTF-8
    creerFichier(invalide);
    creerFichier("日本語 ; [x] * ?.txt");
    std::string profond;
    for (int i = 0; i < 12; ++i) {
        profond += (i ? "/" : "") + std::string(40, char('a' + i));
        ASSERT_EQ(mkdir(dossier.sous(profond).c_str(), 0755), 0);
    }
    creerFichier(profond + "/fond.txt");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    ASSERT_NE(trouver(*q, invalide), nullptr);
    EXPECT_EQ(trouver(*q, invalide)->chemin(), dossier.sous(invalide));
    EXPECT_NE(trouver(*q, "日本語 ; [x] * ?.txt"), nullptr);
    const CFichier* fond = trouver(*q, "fond.txt");
    ASSERT_NE(fond, nullptr);
    EXPECT_GT(fond->chemin().size(), 259u);
    EXPECT_EQ(fond->chemin(), dossier.sous(profond + "/fond.txt"));
}

TEST_F(CaptureLinux, FichierCreuxDePlusDe4GoGardeSes32BitsBas)
{
    const int fd = open(dossier.sous("creux").c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 4294967296LL + 5), 0);
    close(fd);
    creerFichier("cinq", "12345");
    ASSERT_EQ(chmod(dossier.sous("cinq").c_str(), 0444), 0);
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    ASSERT_NE(trouver(*q, "creux"), nullptr);
    EXPECT_EQ(trouver(*q, "creux")->taille, 5u);
    EXPECT_EQ(trouver(*q, "cinq")->taille, 5u);
    EXPECT_STREQ(trouver(*q, "cinq")->lettres, "R");
}

TEST_F(CaptureLinux, RacineDisparueGardeLeSnapshot)
{
    creerFichier("a");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    const std::string nom = q->nomVolume;
    const std::uint32_t serie = q->numeroSerie;
    q->definirChemin(dossier.sous("absent"));
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::RacineIllisible);
    EXPECT_NE(trouver(*q, "a"), nullptr);
    EXPECT_EQ(q->nomVolume, nom);
    EXPECT_EQ(q->numeroSerie, serie);
}

} // namespace
