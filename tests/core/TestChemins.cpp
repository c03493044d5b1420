#include "platform/Chemins.h"

#include "PlateformeFixe.h"

#include <gtest/gtest.h>

namespace {

struct SJonction {
    const char* chemin;
    const char* composant;
    const char* attendu;
};

TEST(Chemins, JonctionAvecUnSeulSeparateur)
{
    const SJonction table[] = {
        {"/home/a", "b.txt", "/home/a/b.txt"},
        {"/home/a/", "b.txt", "/home/a/b.txt"},
        {"/home/a//", "/b.txt", "/home/a/b.txt"},
        {"/", "b", "/b"},
        {"/", "*.*", "/*.*"},
        {"/home/a\\", "b", "/home/a\\/b"}, // '\' is part of a Linux name
        {"C:\\Photos", "a.jpg", "C:\\Photos\\a.jpg"},
        {"C:\\Photos\\", "\\a.jpg", "C:\\Photos\\a.jpg"},
        {"C:\\", "a", "C:\\a"},
        {"C:", "a", "C:\\a"},
        {"\\\\srv\\partage", "a", "\\\\srv\\partage\\a"},
        {"", "a", "a"},
        {"/home/a", "", "/home/a"},
        {"/home/a", "//", "/home/a"},
    };
    for (const SJonction& j : table)
        EXPECT_EQ(ajouterAuChemin(j.chemin, j.composant), j.attendu) << j.chemin << " + " << j.composant;
}

struct SCas {
    const char* chemin;
    const char* attendu;
};

TEST(Chemins, DernierComposant)
{
    const SCas table[] = {
        {"/a/b", "b"},
        {"/a/b/", "b"},
        {"/a/b//", "b"},
        {"/", "/"},
        {"/a", "a"},
        {"/a/b\\c.txt", "b\\c.txt"}, // '\' is part of a Linux name
        {"C:\\Photos\\a.jpg", "a.jpg"},
        {"C:\\Photos/a.jpg", "a.jpg"},
        {"C:\\Photos\\", "Photos"},
        {"C:\\", "C:\\"},
        {"C:", "C:\\"},
        {"C:a.jpg", "a.jpg"},
        {"\\\\srv\\partage\\a.jpg", "a.jpg"},
        {"a.jpg", "a.jpg"},
        {"", ""},
    };
    for (const SCas& c : table)
        EXPECT_EQ(dernierComposant(c.chemin), c.attendu) << c.chemin;
}

TEST(Chemins, RacineDos)
{
    const SCas table[] = {
        {"C:\\x\\y", "C:\\"},
        {"c:\\x", "c:\\"},
        {"C:", "C:\\"},
        {"C:/x", "C:\\"},
        {"\\\\srv\\partage\\x\\y", "\\\\srv\\partage"},
        {"\\\\srv\\partage", "\\\\srv\\partage"},
        {"\\\\srv", "\\\\srv"},
        {"\\x", "\\"},
        {"x\\y", ""},
        {"/x", ""},
        {"", ""},
        {"1:\\x", ""},
    };
    for (const SCas& c : table)
        EXPECT_EQ(racineDos(c.chemin), c.attendu) << c.chemin;
}

TEST(Chemins, EstRacineDos)
{
    EXPECT_TRUE(estRacineDos("C:\\"));
    EXPECT_TRUE(estRacineDos("C:"));
    EXPECT_TRUE(estRacineDos("\\\\srv\\partage"));
    EXPECT_TRUE(estRacineDos("\\\\srv\\partage\\"));
    EXPECT_FALSE(estRacineDos("C:\\x"));
    EXPECT_FALSE(estRacineDos("\\\\srv\\partage\\x"));
    EXPECT_FALSE(estRacineDos("x"));
    EXPECT_FALSE(estRacineDos(""));
}

TEST(Chemins, GenreDuChemin)
{
    EXPECT_TRUE(estCheminDos("C:\\x"));
    EXPECT_TRUE(estCheminDos("\\\\srv\\x"));
    EXPECT_FALSE(estCheminDos("/x"));
    EXPECT_FALSE(estCheminDos("x"));
    EXPECT_FALSE(estCheminDos(""));
}

using CheminsDeLaPlateforme = AvecPlateformeFixe;

TEST_F(CheminsDeLaPlateforme, EstRacineComparaisonSansSeparateurFinal)
{
    const CPlateforme& p = plateforme();
    EXPECT_TRUE(p.estRacine("/"));
    EXPECT_TRUE(p.estRacine("/mnt/usb"));
    EXPECT_TRUE(p.estRacine("/mnt/usb/"));
    EXPECT_FALSE(p.estRacine("/mnt/usb/x"));
    EXPECT_FALSE(p.estRacine("/home"));
    EXPECT_TRUE(p.estRacine("C:\\"));
    EXPECT_TRUE(p.estRacine("C:"));
    EXPECT_FALSE(p.estRacine("C:\\x"));
    EXPECT_FALSE(p.estRacine(""));
}

TEST_F(CheminsDeLaPlateforme, ServicesParDefautDeLaPlateforme)
{
    const CPlateforme& p = plateforme();
    EXPECT_EQ(p.ajouterAuChemin("/a/", "b"), "/a/b");
    EXPECT_EQ(p.dernierComposant("C:\\a\\b.doc"), "b.doc");
    EXPECT_TRUE(p.correspondMotif("C:\\a\\b.doc", "*.DOC"));
    EXPECT_FALSE(p.correspondMotif("C:\\a\\b.doc", "b.doc"));
    EXPECT_EQ(p.texteTaille(1536), "1,50 Ko");
}

TEST(PlateformeGlobale, DefinirRendLaPrecedente)
{
    CPlateformeFixe a, b;
    CPlateforme* origine = definirPlateforme(&a);
    EXPECT_EQ(&plateforme(), &a);
    EXPECT_EQ(definirPlateforme(&b), &a);
    EXPECT_EQ(&plateforme(), &b);
    EXPECT_EQ(definirPlateforme(origine), &b);
}

TEST(PlateformeGlobaleDeathTest, SansPlateformeLeProgrammeSArreteAvecUnMessage)
{
    EXPECT_DEATH(
        {
            definirPlateforme(nullptr);
            plateforme();
        },
        "definirPlateforme");
}

} // namespace

TEST(Chemins, DossierDuCheminEtInclusion)
{
    const std::pair<const char*, const char*> dossiers[] = {
        {"/etc/passwd", "/etc"}, {"/a", "/"}, {"C:\\x\\a.doc", "C:\\x"}, {"C:\\a.doc", "C:\\"},
        {"\\\\srv\\part\\a", "\\\\srv\\part"}, {"/a\\b", "/"}, {"nom", ""},
    };
    for (const auto& [chemin, dossier] : dossiers)
        EXPECT_EQ(dossierDuChemin(chemin), dossier) << chemin;

    struct SCas {
        const char* chemin;
        const char* dossier;
        bool dessous;
    };
    const SCas inclusions[] = {
        {"/a/b", "/a", true},   {"/a/b", "/a/", true},  {"/x", "/", true},       {"/ab", "/a", false},
        {"/a", "/a", false},    {"/a/", "/a", false},   {"/etc", "/media/cd", false},
        {"C:\\x\\y", "C:\\x", true}, {"C:\\x/y", "C:\\x", true}, {"C:\\xy", "C:\\x", false},
    };
    for (const SCas& c : inclusions)
        EXPECT_EQ(estSousDossier(c.chemin, c.dossier), c.dessous) << c.chemin << " dans " << c.dossier;
    EXPECT_TRUE(memeDossier("/a/", "/a"));
    EXPECT_FALSE(memeDossier("/a", "/b"));
}
