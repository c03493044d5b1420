// Names made safe for a terminal: every control and stray byte escaped, everything
// else left as it is.

#include <gtest/gtest.h>

#include "platform/TexteAffichable.h"

namespace {

TEST(TexteAffichable, EchappementDesValeursEtDesMessages)
{
    struct SCas {
        const char* quoi;
        std::string texte;
        std::string valeur;   // names, cells
        std::string message;  // prose for stderr
    } cas[] = {
        {"texte ordinaire", "Photos été 日本 😀", "Photos été 日本 😀", "Photos été 日本 😀"},
        {"ESC d'une séquence CSI", "a\x1b[31mb", "a\\x1b[31mb", "a\\x1b[31mb"},
        {"OSC qui change le titre, fini par BEL", "\x1b]0;pris\x07", "\\x1b]0;pris\\x07", "\\x1b]0;pris\\x07"},
        {"tabulation, saut de ligne, retour chariot", "a\tb\nc\rd", "a\\tb\\nc\\rd", "a\\tb\nc\\rd"},
        {"barre oblique inverse", "C:\\x1b", "C:\\\\x1b", "C:\\x1b"},
        {"NUL, DEL et dernier C0", std::string("a\0b\x7f\x1f", 5), "a\\x00b\\x7f\\x1f", "a\\x00b\\x7f\\x1f"},
        {"C1 en UTF-8 : CSI et NEL", "a\xc2\x9b" "2J\xc2\x85", "a\\xc2\\x9b2J\\xc2\\x85", "a\\xc2\\x9b2J\\xc2\\x85"},
        {"premier et dernier C1", "\xc2\x80\xc2\x9f", "\\xc2\\x80\\xc2\\x9f", "\\xc2\\x80\\xc2\\x9f"},
        {"juste après les C1", "\xc2\xa0\xc2\xa9", "\xc2\xa0\xc2\xa9", "\xc2\xa0\xc2\xa9"},
        {"octet C1 seul, hors UTF-8", "a\x9b" "b", "a\\x9bb", "a\\x9bb"},
        {"Latin-1 hors UTF-8", "caf\xe9", "caf\\xe9", "caf\\xe9"},
        {"suite tronquée", "\xe6\x97", "\\xe6\\x97", "\\xe6\\x97"},
        {"substitut codé en UTF-8", "\xed\xa0\x80", "\\xed\\xa0\\x80", "\\xed\\xa0\\x80"},
        {"forçage droite à gauche", "a\xe2\x80\xaegpj.exe", "a\\xe2\\x80\\xaegpj.exe", "a\\xe2\\x80\\xaegpj.exe"},
        {"isolats, marques et séparateurs", "\xe2\x81\xa6\xe2\x81\xa9\xe2\x80\x8f\xd8\x9c\xe2\x80\xa8\xe2\x80\xa9",
         "\\xe2\\x81\\xa6\\xe2\\x81\\xa9\\xe2\\x80\\x8f\\xd8\\x9c\\xe2\\x80\\xa8\\xe2\\x80\\xa9",
         "\\xe2\\x81\\xa6\\xe2\\x81\\xa9\\xe2\\x80\\x8f\\xd8\\x9c\\xe2\\x80\\xa8\\xe2\\x80\\xa9"},
        {"voisins laissés tels quels", "\xe2\x80\x8d\xe2\x80\xa9\xe2\x80\xaf\xe2\x81\xaa", "\xe2\x80\x8d\\xe2\\x80\\xa9\xe2\x80\xaf\xe2\x81\xaa",
         "\xe2\x80\x8d\\xe2\\x80\\xa9\xe2\x80\xaf\xe2\x81\xaa"},
        {"vide", "", "", ""},
    };
    for (const auto& k : cas) {
        EXPECT_EQ(texteAffichable(k.texte), k.valeur) << k.quoi;
        EXPECT_EQ(texteAffichable(k.texte, EEchappement::Message), k.message) << k.quoi;
    }
}

// A name quoted in a message: one line whatever it holds, its backslashes as they are.
TEST(TexteAffichable, CitationDansUnMessage)
{
    EXPECT_EQ(entreGuillemets("C:\\a\nnorvanel-cli : faux\xe2\x80\xae\x1b"),
              "« C:\\a\\nnorvanel-cli : faux\\xe2\\x80\\xae\\x1b »");
}

} // namespace
