#include "platform/MotifChemin.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct SCas {
    const char* chemin;
    const char* motif;
    bool attendu;
};

template <std::size_t N>
void verifierTable(const SCas (&table)[N])
{
    for (const SCas& c : table)
        EXPECT_EQ(correspondMotif(c.chemin, c.motif), c.attendu)
            << "chemin \"" << c.chemin << "\" motif \"" << c.motif << "\"";
}

TEST(MotifChemin, ComparaisonAvecLeCheminComplet)
{
    const SCas table[] = {
        {"c:\\a\\b.doc", "*.DOC", true},
        {"c:\\a\\b.doc", "b.doc", false},
        {"c:\\a\\b.doc", "*\\b.doc", true},
        {"C:\\Textes\\lettre.doc", "lettre*", false},
        {"C:\\Textes\\lettre.doc", "*lettre*", true},
        {"/home/x/lettre.doc", "lettre*", false},
        {"/home/x/lettre.doc", "/home/*", true},
        {"/a/b/c.txt", "/a*c.txt", true}, // '*' crosses separators
        {"/a/b.doc", "*.doc", true},
        {"/a/b.docx", "*.doc", false}, // the whole path must match
        {"/a/b.doc.bak", "*.doc", false},
    };
    verifierTable(table);
}

TEST(MotifChemin, ListeDeSpecs)
{
    const SCas table[] = {
        {"c:\\a\\b.doc", "*.doc;*.txt", true},
        {"c:\\a\\b.txt", "*.doc;*.txt", true},
        {"c:\\a\\b.pdf", "*.doc;*.txt", false},
        {"c:\\a\\b.txt", "*.doc;   *.txt", true}, // blanks before a spec are skipped
        {"c:\\a\\b.txt", "   *.txt", true},
        {"/x.doc", "*.doc ;*.txt", false}, // a blank after a spec belongs to it
        {"/x.doc ", "*.doc ;*.txt", true},
        {"/x.doc", "*.doc;", true},
        {"/x.txt", "*.doc;", false}, // an empty spec in a list matches nothing
        {"/x.txt", "*.doc;;  ;", false},
    };
    verifierTable(table);
}

TEST(MotifChemin, MotifsQuiPrennentTout)
{
    const SCas table[] = {
        {"/sans_point", "*.*", true}, // the path spec "*.*" takes every path, dotted or not
        {"/sans_point", "*.doc;  *.*", true},
        {"", "*.*", true},
        {"/a", "", true},
        {"", "", true},
        {"/a", "   ", true},
        {"/a", ";;", true},
        {"/a", " ; ; ", true},
        {"/sans_point", "*.*x", false}, // only "*.*" itself is special
        {"", "*", true},
        {"", "?", false},
    };
    verifierTable(table);
}

TEST(MotifChemin, CrochetEtAutresCaracteresOrdinaires)
{
    const SCas table[] = {
        {"/a/[x].txt", "*[x].txt", true},
        {"/a/x.txt", "*[x].txt", false},
        {"/a/b.txt", "*[a-c].txt", false},
        {"/a/[a-c].txt", "*[A-C].TXT", true},
        {"/a/b!c", "*b!c", true},
        {"/a/b\\c", "/a/b\\c", true}, // no escape character
        {"/a/bc", "/a/b\\c", false},
    };
    verifierTable(table);
}

TEST(MotifChemin, PointDInterrogationPrendUnCaractere)
{
    const SCas table[] = {
        {"/ab", "/a?", true},
        {"/a", "/a?", false},
        {"/abc", "/a?", false},
        {"/é.txt", "/?.txt", true}, // two bytes, one character
        {"/é.txt", "/??.txt", false},
        {"/€.txt", "/?.txt", true},         // three bytes
        {"/\xF0\x9F\x98\x80.txt", "/?.txt", true}, // four bytes
        {"/\xE9.txt", "/?.txt", true},      // a stray byte is one character
        {"/\xE9\xE9.txt", "/??.txt", true},
        {"/\xC3.txt", "/?.txt", true},      // a sequence cut short
        {"/\xC3", "/?", true},
        {"/\xC0\xAF", "/??", true},         // an overlong form is two stray bytes
        {"/\xE9.txt", "/é.txt", false},     // a stray byte is not the letter it means in Latin-1
    };
    verifierTable(table);
}

TEST(MotifChemin, CasseIgnoreeDansToutesLesEcritures)
{
    const SCas table[] = {
        {"/Été.TXT", "*été.txt", true},
        {"/été.txt", "*ÉTÉ.TXT", true},
        {"/ÇA", "*ça", true},
        {"/ŒUVRE", "*œuvre", true},
        {"/ÿ", "*Ÿ", true},
        {"/ÀÉÎÕÜ", "*àéîõü", true},
        {"/ĀĄČĐĘĞĲĶĹŁŇŊŐŚŠŤŨŰŴŶŹŻŽ", "*āąčđęğĳķĺłňŋőśšťũűŵŷźżž", true},
        {"/×", "*÷", false}, // multiplication and division signs are not a pair
        {"/ß", "*ss", false},
        {"/İ", "*i", false},
        {"/ı", "*I", false},
        {"/e", "*é", false}, // accents count
        {"/Ω", "*ω", true}, // every script
        {"/ДОМ.txt", "*дом.TXT", true},
        {"/ΣΟΦΌΣ", "*σοφός", true}, // final sigma too
        {"/ԱՐԵՎ", "*արեվ", true},
        {"/ẞ", "*ß", true},
        {"/Д", "*д?", false},
        {"/д", "*б", false},
        {"/K", "*\u212A", false}, // the Kelvin sign never folds to ASCII
        {"/ſ", "*s", false}, // long s is a letter of its own
    };
    verifierTable(table);
}

TEST(MotifChemin, EtoilesMultiplesSansExplosion)
{
    const std::string queDesA(20000, 'a');
    EXPECT_FALSE(correspondMotif(queDesA, "*a*a*a*a*a*b"));
    EXPECT_TRUE(correspondMotif(queDesA + "b", "*a*a*a*a*a*b"));
    EXPECT_TRUE(correspondMotif(queDesA, "**a**a*"));
    EXPECT_FALSE(correspondMotif(queDesA, "*?*b*"));
    EXPECT_TRUE(correspondMotif(std::string(300, 'a') + "b" + std::string(300, 'a'), "*a?a*"));
}

// The straightforward recursive definition over ASCII, exponential but exact on small
// inputs.
bool reference(const char* s, const char* m)
{
    auto minuscule = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    if (*m == '\0')
        return *s == '\0';
    if (*m == '*')
        return reference(s, m + 1) || (*s != '\0' && reference(s + 1, m));
    if (*s == '\0')
        return false;
    return (*m == '?' || minuscule(*m) == minuscule(*s)) && reference(s + 1, m + 1);
}

// Every path over {a, B} and every spec over {A, b, *, ?} up to a small length agree
// with the reference: the backtracking on the last star never misses a match.
TEST(MotifChemin, AccordAvecLaDefinitionRecursive)
{
    auto mots = [](std::string_view alphabet, std::size_t longueurMax) {
        std::vector<std::string> tous{""};
        for (std::size_t debut = 0, l = 0; l < longueurMax; ++l) {
            const std::size_t fin = tous.size();
            for (std::size_t i = debut; i < fin; ++i)
                for (char c : alphabet)
                    tous.push_back(tous[i] + c);
            debut = fin;
        }
        return tous;
    };
    const auto chemins = mots("aB", 7);
    const auto motifs = mots("Ab*?", 5);
    int desaccords = 0;
    for (const auto& m : motifs)
        for (const auto& s : chemins)
            if (!m.empty() && correspondMotif(s, m) != reference(s.c_str(), m.c_str()) && ++desaccords < 5)
                ADD_FAILURE() << "chemin \"" << s << "\" motif \"" << m << "\"";
    EXPECT_EQ(desaccords, 0);
}

} // namespace
