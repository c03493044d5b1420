// norvanel-cli's csv and html outputs read back by real readers (Python's csv module
// and HTML parser): names that break naive exporters come back byte for byte, once our
// two documented rules are undone (an apostrophe before a formula-looking cell, "\xHH"
// for a byte that is not UTF-8 and for a backslash that would read as one).

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "storage/FichierCatalogue.h"
#include "tests/cli/Lancement.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/ConstructeurCatalogue.h"

namespace {

// Each cell of each row the reader gave, "ligne colonne hex" a line.
constexpr const char* kLecteurCsv = R"(import csv, sys
with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:
    for i, ligne in enumerate(csv.reader(f)):
        for j, c in enumerate(ligne):
            print(i, j, c.encode('utf-8').hex())
)";
constexpr const char* kLecteurHtml = R"(import sys
from html.parser import HTMLParser
class Lecteur(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ligne, self.colonne, self.dans, self.texte = -1, 0, False, ''
    def handle_starttag(self, balise, attributs):
        if balise == 'tr': self.ligne, self.colonne = self.ligne + 1, 0
        if balise in ('td', 'th'): self.dans, self.texte = True, ''
    def handle_endtag(self, balise):
        if balise in ('td', 'th'):
            print(self.ligne, self.colonne, self.texte.encode('utf-8').hex())
            self.dans, self.colonne = False, self.colonne + 1
    def handle_data(self, donnees):
        if self.dans: self.texte += donnees
Lecteur().feed(open(sys.argv[1], encoding='utf-8').read())
)";

// cellules[ligne][colonne], as the reader gave them.
std::vector<std::vector<std::string>> relire(const char* script, const std::string& fichier)
{
    const SResultat r = lancerProgramme("/usr/bin/python3", {"-c", script, fichier}, {"LC_ALL=C.UTF-8"});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    std::vector<std::vector<std::string>> lignes;
    std::istringstream flux(r.sortie);
    for (std::size_t i, j; flux >> i >> j;) {
        std::string hex;
        std::getline(flux, hex);
        std::string octets;
        for (std::size_t k = 1; k + 1 < hex.size(); k += 2)
            octets += char(std::stoi(hex.substr(k, 2), nullptr, 16));
        lignes.resize(std::max(lignes.size(), i + 1));
        lignes[i].resize(std::max(lignes[i].size(), j + 1));
        lignes[i][j] = octets;
    }
    return lignes;
}

// Our two rules undone.
std::string defaire(std::string c, bool apostrophe)
{
    if (apostrophe && !c.empty() && c[0] == '\'')
        c.erase(0, 1);
    std::string r;
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (c[i] == '\\' && i + 3 < c.size() && c[i + 1] == 'x') {
            r += char(std::stoi(c.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            r += c[i];
        }
    }
    return r;
}

TEST(CliExport, LesNomsQuiCassentLesExportsSeRelisentTels)
{
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    CDossierTemporaire tmp;
    const std::vector<std::string> noms = {
        "a,b.txt", "gu\"il\"lemets.txt", "ligne\nsaut.txt", "retour\r\nchariot.txt", "tab\tici.txt",
        "<b>&amp;'x'.html", "=SOMME(A1).txt", "+1.txt", "-moins.txt", "@arobase.txt", "'apostrophe.txt",
        "octets \xff\xfe.bin", "c:\\x41 et \\ seul.txt", "été " + std::string(3000, 'x') + ".txt"};
    CCatalogueConstruit c = construireCatalogue("classeur C\n  requete Q /media/q\n");
    for (const std::string& nom : noms)
        c.requete("Q").nouveauFichier("/media/q/" + nom)->taille = 1234567;
    const std::string catalogue = tmp.sous("c.kbt");
    std::ofstream(catalogue, std::ios::binary) << ecrireCatalogue(*c.doc);

    for (const auto& [format, script] : {std::pair{"csv", kLecteurCsv}, std::pair{"html", kLecteurHtml}}) {
        const std::string sortie = tmp.sous(std::string("sortie.") + format);
        std::ofstream{sortie};  // lancerVers writes into a file that is there
        ASSERT_EQ(lancerVers({"search", catalogue, "--format", format}, sortie).code, 0) << format;
        const auto lignes = relire(script, sortie);
        ASSERT_EQ(lignes.size(), noms.size() + 1) << format;
        EXPECT_EQ(lignes[0], (std::vector<std::string>{"Nom", "Taille", "Créé", "Modifié", "Accédé", "Attribut",
                                                       "Dossier"})) << format;
        std::vector<std::string> relus;
        for (std::size_t i = 1; i < lignes.size(); ++i) {
            ASSERT_EQ(lignes[i].size(), 7u) << format << " ligne " << i;
            relus.push_back(defaire(lignes[i][0], std::string(format) == "csv"));
            EXPECT_EQ(lignes[i][1], "1234567") << format;
            EXPECT_EQ(lignes[i][6], "/media/q") << format;
        }
        std::vector<std::string> attendus = noms;
        std::sort(attendus.begin(), attendus.end());
        std::sort(relus.begin(), relus.end());
        EXPECT_EQ(relus, attendus) << format;
    }
    if (std::ifstream csv(tmp.sous("sortie.csv"), std::ios::binary); csv) {
        const std::string octets((std::istreambuf_iterator<char>(csv)), {});
        EXPECT_EQ(octets.rfind("\xEF\xBB\xBFNom,Taille,", 0), 0u);
        EXPECT_NE(octets.find("\r\n'=SOMME(A1).txt,1234567,"), std::string::npos);
    }
    definirPlateforme(nullptr);
}

} // namespace
