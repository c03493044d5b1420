// norvanel-cli find: the quick search's words over several catalogues built by the
// tests, a broken one among them.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "model/CFichier.h"
#include "model/FichierCatalogue.h"
#include "platform/linux/CPlateformeLinux.h"
#include "tests/cli/Lancement.h"
#include "tests/commun/ConstructeurCatalogue.h"

namespace {

class CliFind : public ::testing::Test {
protected:
    void SetUp() override
    {
        definirPlateforme(&plateformeLinux);
        char modele[] = "/tmp/norvanel-find-XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        racine = modele;
        a = racine + "/a.kbt";
        b = racine + "/b.kbt";
        casse = racine + "/casse.kbt";
        CCatalogueConstruit ca = construireCatalogue(R"(
classeur Maison
  requete Photos /media/photos
    dossier Vacances
      fichier plage.JPG taille=10
      fichier notes.txt
    fichier autre.jpg
  requete Ecole /media/École
    fichier liste.txt taille=3 lettres=A cree=01/02/2003 modifie=10/03/2003 accede=12/03/2003
classeur Travail
  requete Docs /srv/docs
    fichier Straße.pdf taille=7 lettres=RA cree=01/02/2003 modifie=10/03/2003 accede=12/03/2003
    fichier r1.pdf
    fichier r2.txt
)");
        ca.fichier("Docs/r1.pdf").definirChemin("/srv/docs/rapport annuel 2024.pdf");
        ca.fichier("Docs/r2.txt").definirChemin("/srv/docs/annuel rapport.txt");
        ecrire(a, ecrireCatalogue(*ca.doc));
        ecrire(b, ecrireCatalogue(*construireCatalogue(R"(
classeur Archives
  requete Disque /mnt/archives
    dossier vacances
      fichier mer.jpg
    fichier ecole.txt
)").doc));
        const std::string image = ecrireCatalogue(*ca.doc);
        ecrire(casse, image.substr(0, image.size() / 2));
    }
    void TearDown() override
    {
        std::system(("rm -rf '" + racine + "'").c_str());
        definirPlateforme(nullptr);
    }
    static void ecrire(const std::string& chemin, const std::string& octets)
    {
        std::ofstream(chemin, std::ios::binary) << octets;
    }
    // "name@catalogue" for each tsv row, joined by ';'.
    std::string trouves(const std::string& tsv) const
    {
        std::istringstream lignes(tsv);
        std::string r;
        for (std::string l; std::getline(lignes, l);)
            r += (r.empty() ? "" : ";") + l.substr(0, l.find('\t')) + "@" +
                 (l.substr(l.rfind('\t') + 1) == a ? "a" : l.substr(l.rfind('\t') + 1) == b ? "b" : "?");
        return r;
    }

    CPlateformeLinux plateformeLinux;
    std::string racine, a, b, casse;
};

TEST_F(CliFind, MotsSurPlusieursCatalogues)
{
    struct SCas {
        std::vector<std::string> mots;
        const char* attendu;
    };
    const SCas cas[] = {
        {{"ecole"}, "liste.txt@a;ecole.txt@b"},  // the folder /media/École, a name
        {{"ÉCOLE"}, "liste.txt@a;ecole.txt@b"},
        {{"STRASSE"}, "Straße.pdf@a"},
        {{"*.jpg", "vacances"}, "plage.JPG@a;mer.jpg@b"},  // pattern on the name, word in the folder
        {{"vacances", "*.jpg"}, "plage.JPG@a;mer.jpg@b"},
        {{"vac*"}, ""},                                    // a pattern never looks at the folder
        {{"vacances/plage"}, "plage.JPG@a"},
        {{"rapport", "annuel"}, "rapport annuel 2024.pdf@a;annuel rapport.txt@a"},
        {{"rapport annuel"}, "rapport annuel 2024.pdf@a"},  // one argument, one word
        {{"\"rapport annuel\" 2024"}, "rapport annuel 2024.pdf@a"},
        {{"\"annuel", "rapport"}, "rapport annuel 2024.pdf@a;annuel rapport.txt@a"},  // a quote ends with its argument
        {{"annuel rapport"}, "annuel rapport.txt@a"},
        {{"-h"}, ""},
        {{" rapport  ", "2024"}, "rapport annuel 2024.pdf@a"},
        {{"introuvable"}, ""},
    };
    for (const SCas& c : cas) {
        std::vector<std::string> args = {"find", a, b, "--format", "tsv", "--"};
        args.insert(args.end(), c.mots.begin(), c.mots.end());
        const SResultat r = lancer(args);
        EXPECT_EQ(r.code, 0) << c.mots[0] << r.erreurs;
        EXPECT_EQ(trouves(r.sortie), c.attendu) << c.mots[0];
    }
}

TEST_F(CliFind, FormatsEtCatalogueIllisible)
{
    const std::string avant = lireFichier(a);
    const SResultat tsv = lancer({"find", a, casse, racine + "/absent.kbt", b, "--format=tsv", "--", "ecole"});
    EXPECT_EQ(tsv.code, 2);
    EXPECT_EQ(trouves(tsv.sortie), "liste.txt@a;ecole.txt@b");
    EXPECT_EQ(tsv.sortie.substr(0, tsv.sortie.find('\n')), "liste.txt\t3\t2003-02-01 00:00:00\t2003-03-10 00:00:00\t2003-03-12\tA\t/media/École\t" + a);
    for (const std::string& illisible : {casse, racine + "/absent.kbt"})
        EXPECT_NE(tsv.erreurs.find("« " + illisible + " »"), std::string::npos) << tsv.erreurs;

    const SResultat json = lancer({"find", a, "--format", "json", "--", "strasse"});
    EXPECT_EQ(json.sortie, "[\n  {\"name\": \"Straße.pdf\", \"size\": 7, \"created\": \"2003-02-01 00:00:00\", "
                           "\"modified\": \"2003-03-10 00:00:00\", \"accessed\": \"2003-03-12\", \"attributes\": \"RA\", \"folder\": \"/srv/docs\", \"catalogue\": \"" +
                               a + "\"}\n]\n");
    const SResultat texte = lancer({"find", a, b, "--", "strasse"});
    EXPECT_EQ(texte.sortie.substr(0, texte.sortie.find("Nom")), "");
    EXPECT_NE(texte.sortie.find("Dossier\nStraße.pdf"), std::string::npos) << texte.sortie;
    EXPECT_EQ(texte.sortie.find(a), std::string::npos);

    for (const char* format : {"text", "tsv", "json"}) {
        const SResultat rien = lancer({"find", a, b, "--format", format, "--", "introuvable"});
        EXPECT_EQ(rien.code, 0);
        EXPECT_EQ(rien.sortie, std::string(format) == "json" ? "[]\n" : "") << format;
    }
    EXPECT_EQ(lireFichier(a), avant);
}

TEST_F(CliFind, MauvaisUsage)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"find"}, {"find", a}, {"find", a, "ecole"}, {"find", a, "--"}, {"find", "--", "ecole"},
             {"find", a, "--", "\"\"", " "}, {"find", a, "--format", "xml", "--", "ecole"},
             {"find", a, "--bizarre", "--", "ecole"}}) {
        const SResultat r = lancer(args);
        EXPECT_EQ(r.code, 1) << args.size();
        EXPECT_NE(r.erreurs.find("Usage : norvanel-cli find"), std::string::npos) << r.erreurs;
        EXPECT_EQ(r.sortie, "");
    }
}

} // namespace
