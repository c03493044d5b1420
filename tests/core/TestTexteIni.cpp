// Values of the settings file as QSettings writes and reads them.

#include <gtest/gtest.h>

#include "storage/TexteIni.h"

namespace {

// Written by QSettings (Qt 6) for these texts.
TEST(TexteIni, CommeQSettingsLesEcrit)
{
    const struct {
        std::string texte, ecrit;
    } cas[] = {
        {"/a b/c", "/a b/c"},
        {" lead", "\" lead\""},
        {"trail ", "\"trail \""},
        {"a,b", "\"a,b\""},
        {"a;b", "\"a;b\""},
        {"a=b", "\"a=b\""},
        {"q\"x", "q\\\"x"},
        {"back\\slash", "back\\\\slash"},
        {"nl\nx", "nl\\nx"},
        {"tab\tx", "tab\\tx"},
        {"cr\rx", "cr\\rx"},
        {"@at", "@@at"},
        {"é日😀", "é日😀"},
        {"\x01" "9", "\\x1\\x39"},
        {"ctl\x1f" "a", "ctl\\x1f\\x61"},
        {"del\x7f" "x", "del\x7f" "x"},
        {"hash#x", "hash#x"},
        {"[br]", "[br]"},
        {"%20", "%20"},
        {"", ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(echapperValeurIni(c.texte), c.ecrit) << c.texte;
        EXPECT_EQ(lireValeurIni(c.ecrit), c.texte) << c.ecrit;
    }
}

// A byte that is not UTF-8 is written as the code Qt gives it, and comes back as that byte.
TEST(TexteIni, OctetsInvalidesGardes)
{
    EXPECT_EQ(echapperValeurIni("caf\xE9"), "caf\\xdce9");
    EXPECT_EQ(echapperValeurIni("\xE9" "a1"), "\\xdce9\\x61\\x31");
    EXPECT_EQ(echapperValeurIni("\xED\xA0\x80"), "\\xdced\\xdca0\\xdc80");  // an encoded surrogate
    for (const std::string texte : {"caf\xE9", "\xFF\xFE", "\xC3", "a\xE9" "b" "\xE9" "9", "\xF4\x90\x80\x80"})
        EXPECT_EQ(lireValeurIni(echapperValeurIni(texte)), texte);
}

TEST(TexteIni, LectureSouple)
{
    EXPECT_EQ(lireValeurIni("  espaces autour  "), "espaces autour");
    EXPECT_EQ(lireValeurIni("abc ; un commentaire"), "abc");
    EXPECT_EQ(lireValeurIni("\"a\"b\"c\""), "abc");
    EXPECT_EQ(lireValeurIni("\"a\" \"b\""), "a b");
    EXPECT_EQ(lireValeurIni("\\x41\\101\\q"), "AA");  // hex, octal, an escape that stands for nothing
    EXPECT_EQ(lireValeurIni("\\xe9t\\xe9"), "été");
    EXPECT_EQ(lireValeurIni("@"), "@");
    EXPECT_EQ(lireValeurIni("@autre(chose"), "@autre(chose");
}

TEST(TexteIni, CeQuiNEstPasUnTexte)
{
    for (const char* brut : {"a,b", "\"non fermé", "fin\\", "\\x", "\\xd800", "\\x110000", "\\0",
                             "@ByteArray(abc)", "@Variant(\\0\\0\\0\\x7f)", "@Invalid()"})
        EXPECT_FALSE(lireValeurIni(brut)) << brut;
}

TEST(TexteIni, Clefs)
{
    EXPECT_EQ(lireClefIni("Recent%20File%20List"), "Recent File List");
    EXPECT_EQ(lireClefIni("k%E9%20y%3D%3B%2Cx"), "ké y=;,x");
    EXPECT_EQ(lireClefIni("%U65E5"), "日");
    EXPECT_EQ(lireClefIni("a\\b"), "a/b");
    EXPECT_EQ(lireClefIni("100%"), "100%");
    EXPECT_EQ(lireClefIni("%zz"), "%zz");
}

} // namespace
