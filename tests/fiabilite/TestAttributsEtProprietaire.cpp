// What a save keeps that only users and ACLs show: a named user's access given by an
// ACL (and no ACL that the folder's default would add), and the owner of a file that
// another user saves: refused when he may not write it, kept when he may.

#include <sys/stat.h>

#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/core/Factices.h"
#include "tests/fiabilite/CProcessusEnfant.h"
#include "tests/fiabilite/UtilisateurOrdinaire.h"
#include "tests/fiabilite/VerificationsEtapes.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

class AttributsEtProprietaire : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
        CDoc doc;
        remplirCatalogue(doc, 20, 40, 'a');
        ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
        remplirCatalogue(nouveau, 30, 40, 'b');
    }
    // The file's ACL as getfacl shows it (the three base entries when it has none).
    std::string acl(const std::string& fichier)
    {
        CProcessusEnfant g({*getfacl, "--omit-header", "--numeric", "--absolute-names", fichier});
        EXPECT_EQ(g.attendre(), 0) << g.sortie();
        return g.sortie();
    }

    CDossierTemporaire d;
    const std::string chemin = d.sous("cd.kbt");
    CDoc nouveau;
    const std::optional<std::string> getfacl = trouverProgramme("getfacl");
    const std::optional<std::string> setfacl = trouverProgramme("setfacl");
};

TEST_F(AttributsEtProprietaire, LAclDuFichierEstGardee)
{
    if (!getfacl || !setfacl)
        GTEST_SKIP() << "getfacl ou setfacl est absent (paquet acl)";
    ASSERT_EQ(executer({*setfacl, "-m", "u:65534:rw-,g::r--,m::rw-", chemin}), 0);
    const std::string avant = acl(chemin);
    ASSERT_NE(avant.find("user:65534:rw-"), std::string::npos) << avant;
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_EQ(acl(chemin), avant);
    EXPECT_EQ(lireTout(chemin), ecrireCatalogue(nouveau));

    // The same saved by its owner, an ordinary user.
    ASSERT_TRUE(donnerAUtilisateurOrdinaire(d.chemin()));
    ASSERT_TRUE(donnerAUtilisateurOrdinaire(chemin));
    const std::string sien = acl(chemin);
    const auto commande = commeUtilisateurOrdinaire(
        {cheminDuProgramme(), "--aide", "enregistrer", "proprietaire", chemin, "30:40:c"});
    ASSERT_TRUE(commande) << "setpriv est absent de cette machine";
    CProcessusEnfant aide(*commande);
    ASSERT_EQ(aide.attendre(), 0) << aide.sortie();
    attendreSucces(lireRapport(aide.sortie()), "proprietaire.1");
    EXPECT_EQ(acl(chemin), sien);
}

// The new file would inherit the folder's default ACL; the old one had none.
TEST_F(AttributsEtProprietaire, LAclParDefautDuDossierNEstPasAjoutee)
{
    if (!getfacl || !setfacl)
        GTEST_SKIP() << "getfacl ou setfacl est absent (paquet acl)";
    const std::string avant = acl(chemin);
    ASSERT_EQ(executer({*setfacl, "-d", "-m", "u:65534:rwx", d.chemin()}), 0);
    ASSERT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_EQ(acl(chemin), avant);
}

// Another user who may write the folder saves a catalogue of root's.
TEST_F(AttributsEtProprietaire, UnAutreUtilisateurNePrendPasLeFichier)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "il faut être root pour donner le catalogue à un autre utilisateur que l'enregistreur";
    const struct {
        const char* cas;
        mode_t dossier, fichier;
        bool accepte;
    } cas[] = {
        {"dossier partagé à sticky bit, fichier qu'il ne peut écrire", 01777, 0644, false},
        {"dossier ouvert à tous, fichier qu'il ne peut écrire", 0777, 0644, false},
        {"dossier ouvert à tous, fichier qu'il peut écrire", 0777, 0666, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        ASSERT_EQ(chmod(d.chemin().c_str(), c.dossier), 0);
        ASSERT_EQ(chmod(chemin.c_str(), c.fichier), 0);
        const auto commande = commeUtilisateurOrdinaire(
            {cheminDuProgramme(), "--aide", "enregistrer", "autre", chemin, "30:40:b"});
        ASSERT_TRUE(commande) << "setpriv est absent de cette machine";
        CProcessusEnfant aide(*commande);
        ASSERT_EQ(aide.attendre(), 0) << aide.sortie();
        const Rapport r = lireRapport(aide.sortie());
        if (c.accepte)
            attendreSucces(r, "autre.1");
        else
            attendreEchec(r, "autre.1", "l'accès est refusé");
        struct stat st {};
        ASSERT_EQ(stat(chemin.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 0u);
        EXPECT_EQ(st.st_gid, 0u);
        EXPECT_EQ(st.st_mode & 07777, c.fichier);
        EXPECT_EQ(entreesDe(d.chemin()), std::vector<std::string>{"cd.kbt"});
    }
}

} // namespace
