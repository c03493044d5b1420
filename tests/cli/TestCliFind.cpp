// norvanel-cli find: the quick search's words over two catalogues built by the tests,
// and unreadable ones among them.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "model/CFichier.h"
#include "platform/linux/CPlateformeLinux.h"
#include "storage/FichierCatalogue.h"
#include "tests/cli/Lancement.h"
#include "tests/commun/ConstructeurCatalogue.h"

namespace {

void ecrire(const std::string& chemin, const std::string& octets) { std::ofstream(chemin, std::ios::binary) << octets; }

TEST(CliFind, MotsFormatsEtCataloguesIllisibles)
{
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    char modele[] = "/tmp/norvanel-find-XXXXXX";
    ASSERT_NE(mkdtemp(modele), nullptr);
    const std::string racine = modele, a = racine + "/a.kbt", b = racine + "/b.kbt", casse = racine + "/casse.kbt",
                      absent = racine + "/absent.kbt";
    const CCatalogueConstruit ca = construireCatalogue(R"(
classeur Maison
  requete Photos /media/photos
    dossier Vacances
      fichier plage.JPG
      fichier notes.txt
    fichier autre.jpg
  requete Ecole /media/École
    fichier liste.txt taille=3 lettres=A cree=01/02/2003 modifie=10/03/2003 accede=12/03/2003
classeur Travail
  requete Docs /srv/docs
    fichier Straße.pdf
    fichier r1.pdf
    fichier r2.txt
)");
    ca.fichier("Docs/r1.pdf").definirChemin("/srv/docs/rapport annuel 2024.pdf");
    ca.fichier("Docs/r2.txt").definirChemin("/srv/docs/annuel rapport.txt");
    const std::string image = ecrireCatalogue(*ca.doc);
    ecrire(a, image);
    ecrire(casse, image.substr(0, image.size() / 2));
    ecrire(b, ecrireCatalogue(*construireCatalogue(R"(
classeur Archives
  requete Disque /mnt/archives
    dossier vacances
      fichier mer.jpg
    fichier ecole.txt
)").doc));
    // "name@catalogue" for each tsv row.
    auto trouves = [&](const std::string& tsv) {
        std::istringstream lignes(tsv);
        std::string r;
        for (std::string l; std::getline(lignes, l);) {
            const std::string cat = l.substr(l.rfind('\t') + 1);
            r += (r.empty() ? "" : ";") + l.substr(0, l.find('\t')) + (cat == a ? "@a" : cat == b ? "@b" : "@?");
        }
        return r;
    };

    const std::string tsv = "--format=tsv";
    const struct {
        std::vector<std::string> args;
        int code;
        std::string attendu;
    } cas[] = {
        {{a, b, tsv, "--", "ecole"}, 0, "liste.txt@a;ecole.txt@b"},  // the folder /media/École, a name
        {{a, b, tsv, "--", "ÉCOLE"}, 0, "liste.txt@a;ecole.txt@b"},
        {{a, b, tsv, "--", "STRASSE"}, 0, "Straße.pdf@a"},
        {{a, b, tsv, "--", "*.jpg", "vacances"}, 0, "plage.JPG@a;mer.jpg@b"},  // pattern on the name
        {{a, b, tsv, "--", "vacances", "*.jpg"}, 0, "plage.JPG@a;mer.jpg@b"},
        {{a, b, tsv, "--", "vac*"}, 0, ""},  // a pattern never looks at the folder
        {{a, b, tsv, "--", "vacances/plage"}, 0, "plage.JPG@a"},
        {{a, tsv, "--", "rapport", "annuel"}, 0, "rapport annuel 2024.pdf@a;annuel rapport.txt@a"},
        {{a, tsv, "--", "rapport annuel"}, 0, "rapport annuel 2024.pdf@a"},  // one argument, one word
        {{a, tsv, "--", "annuel rapport"}, 0, "annuel rapport.txt@a"},
        {{a, tsv, "--", "\"rapport annuel\" 2024"}, 0, "rapport annuel 2024.pdf@a"},
        {{a, tsv, "--", "\"annuel", "rapport"}, 0, "rapport annuel 2024.pdf@a;annuel rapport.txt@a"},
        {{a, tsv, "--", " rapport  ", "2024"}, 0, "rapport annuel 2024.pdf@a"},
        {{a, tsv, "--", "-h"}, 0, ""},
        {{a, casse, absent, b, tsv, "--", "ecole"}, 2, "liste.txt@a;ecole.txt@b"},
        {{}, 1, ""}, {{a}, 1, ""}, {{a, "ecole"}, 1, ""}, {{a, "--"}, 1, ""}, {{"--", "ecole"}, 1, ""},
        {{a, "--", "\"\"", " "}, 1, ""}, {{a, "--format", "xml", "--", "ecole"}, 1, ""},
        {{a, "--bizarre", "--", "ecole"}, 1, ""},
    };
    for (const auto& c : cas) {
        std::vector<std::string> args = {"find"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const SResultat r = lancer(args);
        EXPECT_EQ(r.code, c.code) << c.args.back() << r.erreurs;
        EXPECT_EQ(trouves(r.sortie), c.attendu) << c.args.back();
        EXPECT_EQ(r.erreurs.find("Usage : norvanel-cli find") != std::string::npos, c.code == 1) << r.erreurs;
        for (const std::string& illisible : {casse, absent})
            EXPECT_EQ(r.erreurs.find("« " + illisible + " »") != std::string::npos, c.code == 2) << r.erreurs;
    }

    EXPECT_EQ(lancer({"find", a, tsv, "--", "ecole"}).sortie,
              "liste.txt\t3\t2003-02-01 00:00:00\t2003-03-10 00:00:00\t2003-03-12\tA\t/media/École\t" + a + "\n");
    EXPECT_EQ(lancer({"find", a, "--format", "json", "--", "ecole"}).sortie,
              "[\n  {\"name\": \"liste.txt\", \"size\": 3, \"created\": \"2003-02-01 00:00:00\", \"modified\": "
              "\"2003-03-10 00:00:00\", \"accessed\": \"2003-03-12\", \"attributes\": \"A\", \"folder\": "
              "\"/media/École\", \"catalogue\": \"" + a + "\"}\n]\n");
    const std::string texte = lancer({"find", a, b, "--", "strasse"}).sortie;
    EXPECT_EQ(texte.rfind("Nom", 0), 0u);
    EXPECT_NE(texte.find("Dossier\nStraße.pdf"), std::string::npos) << texte;
    for (const char* format : {"text", "tsv", "json"})
        EXPECT_EQ(lancer({"find", a, b, "--format", format, "--", "introuvable"}).sortie,
                  std::string(format) == "json" ? "[]\n" : "");
    EXPECT_EQ(lireFichier(a), image);
    std::system(("rm -rf '" + racine + "'").c_str());
    definirPlateforme(nullptr);
}

} // namespace
