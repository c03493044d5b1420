// The settings file: where it lives, the recent-file list, and what a damaged file does.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "storage/CReglages.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

// Sets an environment variable for the life of the object.
class CVariableEnvironnement {
public:
    CVariableEnvironnement(const char* nom, const char* valeur) : nom_(nom)
    {
        if (const char* v = std::getenv(nom))
            avant_ = v;
        if (valeur)
            setenv(nom, valeur, 1);
        else
            unsetenv(nom);
    }
    ~CVariableEnvironnement()
    {
        if (avant_)
            setenv(nom_, avant_->c_str(), 1);
        else
            unsetenv(nom_);
    }

private:
    const char* nom_;
    std::optional<std::string> avant_;
};

void ecrireFichier(const std::string& chemin, const std::string& contenu)
{
    std::ofstream(chemin, std::ios::binary) << contenu;
}

class Reglages : public ::testing::Test {
protected:
    // Puts `contenu` in the settings file, as an earlier run or another program left it.
    void deposer(const std::string& contenu)
    {
        mkdir(dossier.sous("VESKA").c_str(), 0700);
        ecrireFichier(chemin, contenu);
    }

    CDossierTemporaire dossier;
    const std::string chemin = dossier.sous("VESKA/Norvanel.conf");
};

TEST(EmplacementDesReglages, SelonXdgEtHome)
{
    {
        CVariableEnvironnement xdg("XDG_CONFIG_HOME", "/srv/conf");
        EXPECT_EQ(CReglages::cheminParDefaut(), "/srv/conf/VESKA/Norvanel.conf");
    }
    CVariableEnvironnement home("HOME", "/home/léa");
    for (const char* ignore : {"", "relatif/conf"}) {
        CVariableEnvironnement xdg("XDG_CONFIG_HOME", ignore);
        EXPECT_EQ(CReglages::cheminParDefaut(), "/home/léa/.config/VESKA/Norvanel.conf") << ignore;
    }
    CVariableEnvironnement xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(CReglages::cheminParDefaut(), "/home/léa/.config/VESKA/Norvanel.conf");
    CVariableEnvironnement sansHome("HOME", nullptr);
    const passwd* compte = getpwuid(getuid());
    ASSERT_NE(compte, nullptr);
    EXPECT_EQ(CReglages::cheminParDefaut(), std::string(compte->pw_dir) + "/.config/VESKA/Norvanel.conf");
    EXPECT_EQ(CReglages().chemin(), CReglages::cheminParDefaut());
}

TEST_F(Reglages, SansFichierLesValeursParDefaut)
{
    CReglages r(chemin);
    EXPECT_TRUE(r.charger());
    EXPECT_TRUE(r.fichiersRecents().empty());
    EXPECT_EQ(r.pagesApercu(), 0);
    // Nothing changed: nothing written.
    EXPECT_TRUE(r.enregistrer());
    EXPECT_FALSE(existe(dossier.sous("VESKA")));
}

TEST_F(Reglages, ListeRecente)
{
    CReglages r(chemin);
    EXPECT_FALSE(r.ajouterRecent(""));
    for (const char* c : {"/1.kbt", "/2.kbt", "/3.kbt", "/4.kbt", "/5.kbt"})
        EXPECT_TRUE(r.ajouterRecent(c));
    EXPECT_EQ(r.fichiersRecents(), (std::vector<std::string>{"/5.kbt", "/4.kbt", "/3.kbt", "/2.kbt"}));
    EXPECT_FALSE(r.ajouterRecent("/5.kbt"));  // already first
    EXPECT_TRUE(r.ajouterRecent("/3.kbt"));
    EXPECT_EQ(r.fichiersRecents(), (std::vector<std::string>{"/3.kbt", "/5.kbt", "/4.kbt", "/2.kbt"}));
    // Paths are compared byte for byte: these are all different.
    EXPECT_TRUE(r.ajouterRecent("/3.kbt/"));
    EXPECT_TRUE(r.ajouterRecent("/3.KBT"));
    EXPECT_EQ(r.fichiersRecents(), (std::vector<std::string>{"/3.KBT", "/3.kbt/", "/3.kbt", "/5.kbt"}));
    EXPECT_TRUE(r.retirerRecent("/3.kbt/"));
    EXPECT_FALSE(r.retirerRecent("/absent.kbt"));
    EXPECT_EQ(r.fichiersRecents(), (std::vector<std::string>{"/3.KBT", "/3.kbt", "/5.kbt"}));
    EXPECT_TRUE(r.estModifie());
}

TEST_F(Reglages, EcritCommeQSettings)
{
    CReglages r(chemin);
    ASSERT_TRUE(r.charger());
    r.ajouterRecent("/a.kbt");
    r.ajouterRecent("/d/b c,d.kbt");
    ASSERT_TRUE(r.enregistrer());
    EXPECT_FALSE(r.estModifie());
    EXPECT_EQ(lireTout(chemin), "[Recent%20File%20List]\nFile1=\"/d/b c,d.kbt\"\nFile2=/a.kbt\n");
    struct stat st {};
    ASSERT_EQ(stat(dossier.sous("VESKA").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(entreesDe(dossier.sous("VESKA")), std::vector<std::string>{"Norvanel.conf"});
}

TEST_F(Reglages, CheminsGardesOctetPourOctet)
{
    const std::vector<std::string> chemins = {
        "/d/caf\xE9.kbt", "/d/ligne\nsuite\r.kbt", "/d/\"entre\" \\ ;,= #[x].kbt", " /espaces autour ",
        "@arobase", "/d/日本😀.kbt", "/d/tab\there\x01" "1.kbt", "/d/\xFF\xFE\xED\xA0\x80.kbt"};
    for (std::size_t debut = 0; debut < chemins.size(); debut += CReglages::kNombreRecents) {
        CReglages r(chemin);
        for (std::size_t i = debut; i < debut + CReglages::kNombreRecents; ++i)
            r.ajouterRecent(chemins[i]);
        ASSERT_TRUE(r.enregistrer());
        CReglages relu(chemin);
        ASSERT_TRUE(relu.charger());
        EXPECT_EQ(relu.fichiersRecents(), r.fichiersRecents());
    }
}

TEST_F(Reglages, LitCeQueQSettingsEcrit)
{
    deposer("[General]\r\nautre=1\r\n\r\n[Recent%20File%20List]\r\nFile1=\" /a b\"\r\nFile2=q\\\"x\\n\r\n"
            "File3=@@x\r\nFile4=\\x1\\x39\r\n\r\n[Settings]\r\nPreviewPages=2\r\n");
    CReglages r(chemin);
    ASSERT_TRUE(r.charger());
    EXPECT_EQ(r.fichiersRecents(), (std::vector<std::string>{" /a b", "q\"x\n", "@x", "\x01" "9"}));
    EXPECT_EQ(r.pagesApercu(), 2);
}

// Places left empty or named twice: the list keeps the order of the places, once each.
TEST_F(Reglages, TrousEtDoublons)
{
    deposer("[Recent File List]\nFile2=/a\nFile4=/a\nFile3=/b\nFile1=\nFile9=/ignoré\n");
    CReglages r(chemin);
    ASSERT_TRUE(r.charger());
    EXPECT_EQ(r.fichiersRecents(), (std::vector<std::string>{"/a", "/b"}));
}

// What the program does not know is written back as it was; PreviewPages is only read.
TEST_F(Reglages, LeResteDuFichierEstGarde)
{
    deposer("; notes\n[General]\nfoo=bar\n\n[Recent%20File%20List]\nFile1=/x\nFile7=/garde\n\n"
            "[Settings]\nPreviewPages=1\nAutre=\"a,b\"\n");
    CReglages r(chemin);
    ASSERT_TRUE(r.charger());
    EXPECT_EQ(r.pagesApercu(), 1);
    r.ajouterRecent("/y");
    ASSERT_TRUE(r.enregistrer());
    EXPECT_EQ(lireTout(chemin),
              "; notes\n\n[General]\nfoo=bar\n\n[Recent%20File%20List]\nFile7=/garde\nFile1=/y\nFile2=/x\n\n"
              "[Settings]\nPreviewPages=1\nAutre=\"a,b\"\n");
    CReglages relu(chemin);
    ASSERT_TRUE(relu.charger());
    EXPECT_EQ(relu.fichiersRecents(), (std::vector<std::string>{"/y", "/x"}));
    EXPECT_EQ(relu.pagesApercu(), 1);
}

// A damaged file gives the defaults and a message, and is not touched until a change is
// saved; then it is replaced by a sound one.
TEST_F(Reglages, FichierEndommage)
{
    const std::string debut = "[Recent%20File%20List]\nFile1=/bon.kbt\n";
    const struct {
        std::string contenu, raison;
    } cas[] = {
        {debut + std::string("\0\x01\x02\xFF", 4), "caractère de contrôle à la ligne 3"},
        {debut + "[Settings\n", "en-tête de section mal formé à la ligne 3"},
        {debut + "juste du texte\n", "ligne mal formée à la ligne 3"},
        {debut + "=sans clef\n", "ligne mal formée à la ligne 3"},
        {debut + "File2=\"non fermé\n", "la valeur de File2 est mal formée à la ligne 3"},
        {debut + "File2=a,b\n", "la valeur de File2 est mal formée à la ligne 3"},
        {debut + "[Settings]\nPreviewPages=abc\n", "la valeur de PreviewPages n'est pas un nombre valable à la ligne 4"},
        {debut + "[Settings]\nPreviewPages=-3\n", "la valeur de PreviewPages n'est pas un nombre valable à la ligne 4"},
        {debut + "[Settings]\nPreviewPages=99999999999\n",
         "la valeur de PreviewPages n'est pas un nombre valable à la ligne 4"},
        {std::string(2 << 20, 'x'), "le fichier est trop grand"},
    };
    for (const auto& c : cas) {
        deposer(c.contenu);
        CReglages r(chemin);
        const auto resultat = r.charger();
        ASSERT_FALSE(resultat) << c.raison;
        EXPECT_EQ(resultat.raison(), "Les réglages « " + chemin + " » sont illisibles : " + c.raison +
                               ". Les réglages par défaut sont utilisés.");
        EXPECT_TRUE(r.fichiersRecents().empty());
        EXPECT_EQ(r.pagesApercu(), 0);
        EXPECT_TRUE(r.enregistrer());
        EXPECT_TRUE(lireTout(chemin) == c.contenu) << c.raison;
    }
    CReglages r(chemin);
    ASSERT_FALSE(r.charger());
    r.ajouterRecent("/nouveau.kbt");
    ASSERT_TRUE(r.enregistrer());
    CReglages relu(chemin);
    ASSERT_TRUE(relu.charger());
    EXPECT_EQ(relu.fichiersRecents(), std::vector<std::string>{"/nouveau.kbt"});
}

TEST_F(Reglages, CeQuiNEstPasUnFichier)
{
    ASSERT_EQ(mkdir(dossier.sous("VESKA").c_str(), 0700), 0);
    ASSERT_EQ(mkfifo(chemin.c_str(), 0600), 0);  // must not block the start of the program
    CReglages r(chemin);
    auto resultat = r.charger();
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("ce n'est pas un fichier ordinaire"), std::string::npos) << resultat.raison();
    ASSERT_EQ(unlink(chemin.c_str()), 0);
    ASSERT_EQ(mkdir(chemin.c_str(), 0700), 0);
    resultat = r.charger();
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("ce n'est pas un fichier ordinaire"), std::string::npos) << resultat.raison();
}

// A failed save says so and keeps the change, to be saved next time.
TEST_F(Reglages, EchecDEnregistrement)
{
    ecrireFichier(dossier.sous("VESKA"), "un fichier à la place du dossier");
    CReglages r(chemin);
    r.ajouterRecent("/a.kbt");
    const auto resultat = r.enregistrer();
    ASSERT_FALSE(resultat);
    EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer les réglages « " + chemin +
                           " » : un élément du chemin n'est pas un dossier.");
    EXPECT_TRUE(r.estModifie());
    ASSERT_EQ(unlink(dossier.sous("VESKA").c_str()), 0);
    EXPECT_TRUE(r.enregistrer());
    EXPECT_FALSE(r.estModifie());
}

// Written through the same path as a catalogue: leftovers of a killed save go too.
TEST_F(Reglages, MemeCheminQueLesCatalogues)
{
    ASSERT_EQ(mkdir(dossier.sous("VESKA").c_str(), 0700), 0);
    // Through a link, as a catalogue: the file it names is replaced, beside which the
    // leftovers are looked for.
    ecrireFichier(dossier.sous("VESKA/.vrai.conf.Ab3dE9.norvanel-tmp"), "[Recent");
    ASSERT_EQ(symlink("vrai.conf", chemin.c_str()), 0);
    ecrireFichier(dossier.sous("VESKA/vrai.conf"), "");
    CReglages r(chemin);
    ASSERT_TRUE(r.charger());
    r.ajouterRecent("/a.kbt");
    ASSERT_TRUE(r.enregistrer());
    EXPECT_EQ(entreesDe(dossier.sous("VESKA")), (std::vector<std::string>{"Norvanel.conf", "vrai.conf"}));
    EXPECT_EQ(lireTout(dossier.sous("VESKA/vrai.conf")), "[Recent%20File%20List]\nFile1=/a.kbt\n");
}

} // namespace
