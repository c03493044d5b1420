// A catalogue opened through a symbolic link: a save replaces the file the link names,
// in that file's folder, and leaves the link, the mode and the owner as they were. A
// link another user planted in a shared sticky folder is not followed, by a save nor
// by a PDF, wherever it is on the path.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/core/Factices.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/UtilisateurOrdinaire.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

std::string cibleDuLien(const std::string& lien)
{
    char cible[4096];
    const ssize_t n = readlink(lien.c_str(), cible, sizeof cible);
    return n < 0 ? std::string() : std::string(cible, static_cast<std::size_t>(n));
}

class LienSymbolique : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        ASSERT_EQ(mkdir(d.sous("donnees").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(d.sous("liens").c_str(), 0755), 0);
        CDoc doc;
        remplirCatalogue(doc, 50, 40, 'a');
        ASSERT_TRUE(enregistrerCatalogue(doc, vrai));
        ASSERT_EQ(chmod(vrai.c_str(), 0640), 0);
        ancien = lireTout(vrai);
        // liens/cd.kbt -> liens/relais.kbt -> ../donnees/vrai.kbt
        ASSERT_EQ(symlink("../donnees/vrai.kbt", d.sous("liens/relais.kbt").c_str()), 0);
        ASSERT_EQ(symlink("relais.kbt", lien.c_str()), 0);
    }
    void verifierLiens()
    {
        struct stat st {};
        ASSERT_EQ(lstat(lien.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode));
        EXPECT_EQ(cibleDuLien(lien), "relais.kbt");
        EXPECT_EQ(cibleDuLien(d.sous("liens/relais.kbt")), "../donnees/vrai.kbt");
        ASSERT_EQ(lstat(vrai.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(entreesDe(d.sous("liens")), (std::vector<std::string>{"cd.kbt", "relais.kbt"}));
        EXPECT_EQ(entreesDe(d.sous("donnees")), std::vector<std::string>{"vrai.kbt"});
    }

    CDossierTemporaire d;
    const std::string vrai = d.sous("donnees/vrai.kbt");
    const std::string lien = d.sous("liens/cd.kbt");
    std::string ancien;
};

TEST_F(LienSymbolique, LeFichierNommeEstRemplaceEtLesLiensRestent)
{
    CDoc doc;
    remplirCatalogue(doc, 60, 40, 'b');
    ASSERT_TRUE(enregistrerCatalogue(doc, lien));
    EXPECT_EQ(doc.chemin, lien);  // the document keeps the name it was opened by
    EXPECT_EQ(lireTout(vrai), ecrireCatalogue(doc));
    verifierLiens();
}

TEST_F(LienSymbolique, LeProprietaireEstGarde)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "seul root peut donner le fichier à un autre utilisateur";
    ASSERT_EQ(chown(vrai.c_str(), 65534, 65534), 0);
    CDoc doc;
    remplirCatalogue(doc, 60, 40, 'b');
    ASSERT_TRUE(enregistrerCatalogue(doc, lien));
    struct stat st {};
    ASSERT_EQ(stat(vrai.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    verifierLiens();
}

TEST_F(LienSymbolique, UnEchecLaisseLeFichierNommeEtLesLiens)
{
    SAppelsEcriture appels = SAppelsEcriture::systeme();
    appels.ecrire = [](int, const void*, std::size_t) -> ssize_t {
        errno = EIO;
        return -1;
    };
    CDoc doc;
    remplirCatalogue(doc, 60, 40, 'b');
    const auto resultat = enregistrerCatalogue(doc, lien, appels);
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("erreur de lecture ou d'écriture sur le support. Le fichier précédent est intact."),
              std::string::npos)
        << resultat.raison();
    EXPECT_TRUE(doc.estModifie());
    EXPECT_EQ(lireTout(vrai), ancien);
    verifierLiens();
}

TEST_F(LienSymbolique, UnLienSansCibleEstRefuse)
{
    const std::string orphelin = d.sous("liens/orphelin.kbt");
    ASSERT_EQ(symlink("../donnees/absent.kbt", orphelin.c_str()), 0);
    CDoc doc;
    remplirCatalogue(doc, 60, 40, 'b');
    const auto resultat = enregistrerCatalogue(doc, orphelin);
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("le lien symbolique ne mène à aucun fichier"), std::string::npos) << resultat.raison();
    EXPECT_TRUE(doc.estModifie());
    EXPECT_EQ(cibleDuLien(orphelin), "../donnees/absent.kbt");
    EXPECT_FALSE(existe(d.sous("donnees/absent.kbt")));
    ASSERT_EQ(unlink(orphelin.c_str()), 0);
    verifierLiens();
}

// /tmp-like: sticky, everyone writes; the links are the ordinary user's, or ours.
TEST_F(LienSymbolique, UnLienPlanteParUnAutreDansUnDossierPartageNEstPasSuivi)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "seul root peut donner un lien à un autre utilisateur";
    const std::string partage = d.sous("partage");
    ASSERT_EQ(mkdir(partage.c_str(), 0755), 0);
    ASSERT_EQ(chmod(partage.c_str(), 01777), 0);
    ASSERT_EQ(symlink(vrai.c_str(), (partage + "/rapport.pdf").c_str()), 0);
    ASSERT_EQ(symlink(d.sous("donnees").c_str(), (partage + "/dossier").c_str()), 0);
    ASSERT_EQ(lchown((partage + "/rapport.pdf").c_str(), kUtilisateurOrdinaire, kUtilisateurOrdinaire), 0);
    ASSERT_EQ(lchown((partage + "/dossier").c_str(), kUtilisateurOrdinaire, kUtilisateurOrdinaire), 0);
    ASSERT_EQ(symlink(vrai.c_str(), (partage + "/a-moi.kbt").c_str()), 0);
    const std::string source = d.sous("source.kbt");
    CDoc doc;
    remplirCatalogue(doc, 60, 40, 'b');
    ASSERT_TRUE(enregistrerCatalogue(doc, source));

    struct SCas {
        std::string chemin;
        bool pdf;
    };
    for (const SCas& cas : {SCas{partage + "/rapport.pdf", false}, SCas{partage + "/rapport.pdf", true},
                            SCas{partage + "/dossier/vrai.kbt", false}, SCas{partage + "/dossier/vrai.kbt", true}}) {
        std::string erreur;
        if (cas.pdf) {
            CProcessusEnfant cli({NORVANEL_CLI, "print", source, "--pdf", cas.chemin});
            EXPECT_EQ(cli.attendre(), 2) << cas.chemin;
            erreur = cli.sortie();
        } else {
            if (auto enregistre = enregistrerCatalogue(doc, cas.chemin); !enregistre)
                erreur = enregistre.raison();
        }
        EXPECT_NE(erreur.find("appartient à un autre utilisateur, dans un dossier partagé : il n'est pas suivi"),
                  std::string::npos)
            << cas.chemin << " : " << erreur;
        EXPECT_EQ(lireTout(vrai), ancien) << cas.chemin;
    }
    EXPECT_EQ(entreesDe(d.sous("donnees")), std::vector<std::string>{"vrai.kbt"});
    // Our own link there is followed.
    ASSERT_TRUE(enregistrerCatalogue(doc, partage + "/a-moi.kbt"));
    EXPECT_EQ(lireTout(vrai), ecrireCatalogue(doc));
}

// A PDF never replaces a catalogue, whatever its name and however it is reached; it
// does replace an older PDF.
TEST_F(LienSymbolique, UnPdfNeRemplaceAucunCatalogue)
{
    const std::string source = d.sous("source.kbt");
    CDoc doc;
    remplirCatalogue(doc, 60, 40, 'b');
    ASSERT_TRUE(enregistrerCatalogue(doc, source));
    const std::string deguise = d.sous("donnees/rapport.pdf");
    ASSERT_EQ(link(vrai.c_str(), deguise.c_str()), 0);
    for (const std::string& sortie : {vrai, deguise, lien}) {
        CProcessusEnfant cli({NORVANEL_CLI, "print", source, "--pdf", sortie});
        EXPECT_EQ(cli.attendre(), 2) << sortie;
        EXPECT_NE(cli.sortie().find("c'est un catalogue ; choisissez un autre nom pour le PDF"), std::string::npos)
            << cli.sortie();
        EXPECT_EQ(lireTout(vrai), ancien);
    }
    ASSERT_EQ(unlink(deguise.c_str()), 0);
    const std::string pdf = d.sous("ancien.pdf");
    for (int fois = 0; fois < 2; ++fois) {
        CProcessusEnfant cli({NORVANEL_CLI, "print", source, "--pdf", pdf});
        EXPECT_EQ(cli.attendre(), 0) << cli.sortie();
        EXPECT_EQ(lireTout(pdf).substr(0, 5), "%PDF-");
    }
    verifierLiens();
}

} // namespace
