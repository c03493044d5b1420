// norvanel-cli end to end, on real temporary trees.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/cli/Lancement.h"

namespace {

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modele[] = "/tmp/norvanel-cli-XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        racine = modele;
        catalogue = racine + "/cat.kbt";
        disque = racine + "/disque";
        mkdir(disque.c_str(), 0755);
    }
    void TearDown() override { std::system(("rm -rf '" + racine + "'").c_str()); }

    void fichier(const std::string& relatif, const std::string& contenu = "x", std::time_t mtime = 0)
    {
        const std::string chemin = disque + "/" + relatif;
        std::system(("mkdir -p \"$(dirname '" + chemin + "')\"").c_str());
        std::ofstream(chemin, std::ios::binary) << contenu;
        if (mtime) {
            const timespec temps[2] = {{mtime, 0}, {mtime, 0}};
            utimensat(AT_FDCWD, chemin.c_str(), temps, 0);
        }
    }
    SResultat ok(const std::vector<std::string>& args)
    {
        SResultat r = lancer(args);
        EXPECT_EQ(r.code, 0) << r.erreurs;
        return r;
    }
    // new + add over the test disk.
    void catalogueAvecDisque(std::vector<std::string> options = {})
    {
        ok({"new", catalogue});
        std::vector<std::string> args = {"add", catalogue, disque, "--quiet"};
        args.insert(args.end(), options.begin(), options.end());
        ok(args);
    }

    std::string racine, catalogue, disque;
};

TEST_F(Cli, AideEtUsage)
{
    const SResultat aide = lancer({"--help"});
    EXPECT_EQ(aide.code, 0);
    EXPECT_NE(aide.sortie.find("search"), std::string::npos);
    const SResultat aideSearch = lancer({"search", "--help"});
    EXPECT_EQ(aideSearch.code, 0);
    EXPECT_NE(aideSearch.sortie.find("--pattern"), std::string::npos);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"inconnue"}, {"new"}, {"tree", catalogue, "--bizarre"}, {"search", catalogue, "--format", "xml"},
             {"compare", catalogue, "--query", "a"}, {"rename", catalogue, "x"}, {"new", "a", "b"}}) {
        const SResultat r = lancer(args);
        EXPECT_EQ(r.code, 1) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.erreurs.find("Usage"), std::string::npos);
    }
}

TEST_F(Cli, NouveauCatalogue)
{
    ok({"new", catalogue});
    EXPECT_EQ(lireFichier(catalogue).size(), 111u);
    const std::string avant = lireFichier(catalogue);
    const SResultat r = lancer({"new", catalogue});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.erreurs.find("existe déjà"), std::string::npos);
    EXPECT_EQ(lireFichier(catalogue), avant);
}

TEST_F(Cli, AjouterArbreInfoDump)
{
    fichier("a.txt", "12345");
    fichier("sous/b.doc", std::string(2048, 'b'));
    fichier("sous/plus/c.jpg");
    catalogueAvecDisque();
    EXPECT_EQ(ok({"tree", catalogue}).sortie, "Général\n  " + disque + "\n    sous\n      plus\n");
    const std::string info = ok({"info", catalogue, "--query", disque}).sortie;
    EXPECT_NE(info.find("Nom du volume: "), std::string::npos);
    EXPECT_NE(info.find("Numéro de série: "), std::string::npos);
    EXPECT_NE(info.find("Nombre de dossiers: 2\nNombre de fichiers: 3\nTaille totale: 2,00 Ko\n"), std::string::npos)
        << info;
    const std::string tout = ok({"info", catalogue}).sortie;
    EXPECT_EQ(tout, "Nombre de dossiers: 2\nNombre de fichiers: 3\nTaille totale: 2,00 Ko\n");
    const std::string sous = ok({"info", catalogue, "--query", disque, "--folder", disque + "/sous"}).sortie;
    EXPECT_NE(sous.find("Nombre de dossiers: 1\nNombre de fichiers: 2\n"), std::string::npos) << sous;
    const std::string dump = ok({"dump", catalogue}).sortie;
    EXPECT_EQ(dump.rfind("{\"showSubfolders\": true, \"sortColumn\": [0, 0]", 0), 0u) << dump.substr(0, 80);
    EXPECT_NE(dump.find("\"name\": \"b.doc\""), std::string::npos);
    EXPECT_NE(dump.find("\"size\": 2048"), std::string::npos);
    EXPECT_NE(dump.find("\"criteria\": {\"scope\": 3"), std::string::npos);
}

TEST_F(Cli, DossierAbsentAccepteAvecAvertissement)
{
    ok({"new", catalogue});
    const SResultat r = ok({"add", catalogue, racine + "/absent"});
    EXPECT_NE(r.erreurs.find("avertissement"), std::string::npos);
    EXPECT_EQ(ok({"tree", catalogue}).sortie, "Général\n  " + racine + "/absent\n");
}

TEST_F(Cli, MiseAJourEtOptionsDeCapture)
{
    fichier("a.txt");
    fichier(".cache/x");
    fichier("b.tmp");
    catalogueAvecDisque({"--no-hidden", "--exclude", "*.tmp", "--no-size"});
    fichier("nouveau.txt");
    ok({"update", catalogue, "--query", disque});
    const std::string tsv = ok({"search", catalogue, "--format", "tsv"}).sortie;
    EXPECT_NE(tsv.find("nouveau.txt\t\t"), std::string::npos) << tsv;  // no size stored: empty cell
    EXPECT_EQ(tsv.find("b.tmp"), std::string::npos);
    EXPECT_EQ(tsv.find(".cache"), std::string::npos);
    // A second query over the same folder gets a number.
    EXPECT_EQ(ok({"add", catalogue, disque, "--quiet"}).sortie, disque + " 2\n");
}

TEST_F(Cli, NombreDeFils)
{
    for (const char* f : {"a.txt", "p/b.jpg", "p/q/c.jpg", ".cache/d"})
        fichier(f);
    catalogueAvecDisque({"--threads", "1"});
    const std::string unFil = lireFichier(catalogue);
    for (const char* n : {"2", "256"}) {
        ok({"update", catalogue, "--threads", n});
        EXPECT_EQ(lireFichier(catalogue), unFil) << n;
    }
    for (const char* commande : {"add", "update"})
        for (const char* n : {"0", "257", "-1", "+2", "2x", "", " 2", "99999999999"}) {
            std::vector<std::string> args = {commande, catalogue, "--threads", n};
            if (commande == std::string("add"))
                args.insert(args.begin() + 2, disque);
            const SResultat r = lancer(args);
            EXPECT_EQ(r.code, 1) << commande << " « " << n << " »";
            EXPECT_NE(r.erreurs.find("--threads attend un nombre entier de 1 à 256"), std::string::npos) << r.erreurs;
        }
    EXPECT_EQ(lireFichier(catalogue), unFil);
}

TEST_F(Cli, RenommerSupprimerEtLeursRefus)
{
    catalogueAvecDisque();
    EXPECT_EQ(ok({"mkbinder", catalogue}).sortie, "Classeur\n");
    ok({"mkbinder", catalogue, "Disques"});
    const std::string avant = lireFichier(catalogue);
    SResultat r = lancer({"mkbinder", catalogue, "Disques"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.erreurs.find("Un classeur de ce nom existe déjà."), std::string::npos);
    r = lancer({"rename", catalogue, "--binder", "Classeur", ""});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.erreurs.find("Un classeur doit avoir un nom."), std::string::npos);
    r = lancer({"rename", catalogue, "--query", "absente", "x"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.erreurs.find("aucune requête"), std::string::npos);
    EXPECT_EQ(lireFichier(catalogue), avant);  // failed commands write nothing

    ok({"rename", catalogue, "--query", disque, "Mon disque"});
    ok({"rm", catalogue, "--binder", "Classeur"});
    const std::string arbre = ok({"tree", catalogue}).sortie;
    EXPECT_NE(arbre.find("  Mon disque\n"), std::string::npos);
    EXPECT_EQ(arbre.find("Classeur\n"), std::string::npos);
    ok({"rm", catalogue, "--query", "Mon disque"});
    EXPECT_EQ(ok({"tree", catalogue}).sortie, "Général\nDisques\n");
}

TEST_F(Cli, RechercheParCritere)
{
    fichier("lettre.doc", "1", 1047297600);           // 10/03/2003
    fichier("sous/note.txt", std::string(3000, 'n'), 1262347200);  // 01/01/2010
    fichier("sous/copie/lettre.doc", "22", 1262347200);
    fichier("lecture.txt", "3", 1262347200);
    chmod((disque + "/lecture.txt").c_str(), 0444);
    catalogueAvecDisque();
    auto noms = [&](std::vector<std::string> criteres) {
        std::vector<std::string> args = {"search", catalogue, "--format", "tsv"};
        args.insert(args.end(), criteres.begin(), criteres.end());
        const SResultat r = lancer(args);
        EXPECT_EQ(r.code, 0) << r.erreurs;
        std::string liste;
        std::size_t debut = 0;
        while (debut < r.sortie.size()) {
            const std::size_t fin = r.sortie.find('\n', debut);
            liste += r.sortie.substr(debut, r.sortie.find('\t', debut) - debut) + " ";
            debut = fin + 1;
        }
        return liste;
    };
    EXPECT_EQ(noms({}), "lecture.txt lettre.doc lettre.doc note.txt ");
    EXPECT_EQ(noms({"--pattern", "*.DOC"}), "lettre.doc lettre.doc ");
    EXPECT_EQ(noms({"--pattern", "lettre.doc"}), "");  // matched against the whole path
    EXPECT_EQ(noms({"--modified", "2003-03-10..2003-03-10"}), "lettre.doc ");
    EXPECT_EQ(noms({"--size", ">=2Ko"}), "note.txt ");
    EXPECT_EQ(noms({"--attr", "+R"}), "lecture.txt ");
    EXPECT_EQ(noms({"--duplicates", "name"}), "lettre.doc lettre.doc ");
    EXPECT_EQ(noms({"--duplicates", "name,size"}), "");
    EXPECT_EQ(noms({"--no-subfolders"}), "lecture.txt lettre.doc ");
    EXPECT_EQ(noms({"--query", disque, "--folder", disque + "/sous"}), "lettre.doc note.txt ");
    EXPECT_EQ(noms({"--sort", "size:desc"}), "note.txt lettre.doc lecture.txt lettre.doc ");  // equal sizes keep their order

    const std::string json = ok({"search", catalogue, "--pattern", "*note*", "--format", "json"}).sortie;
    EXPECT_NE(json.find("{\"name\": \"note.txt\", \"size\": 3000, \"created\": \""), std::string::npos) << json;
    EXPECT_NE(json.find("\"modified\": \"2010-01-01 "), std::string::npos) << json;
    const std::string texte = ok({"search", catalogue, "--pattern", "*note*"}).sortie;
    EXPECT_EQ(texte.rfind("Nom ", 0), 0u) << texte;
    EXPECT_NE(texte.find("2,92 Ko"), std::string::npos) << texte;

    for (const auto& mauvais : std::vector<std::vector<std::string>>{
             {"--modified", "2003-02-30..2003-03-01"}, {"--created", "hier..demain"}, {"--size", "2Mo"},
             {"--size", ">=100000Ko"}, {"--attr", "R"}, {"--duplicates", "couleur"}, {"--binder", "absent"},
             {"--folder", "/x", "--query", disque}}) {
        std::vector<std::string> args = {"search", catalogue};
        args.insert(args.end(), mauvais.begin(), mauvais.end());
        const SResultat r = lancer(args);
        EXPECT_EQ(r.code, 2) << mauvais[0] << " " << r.erreurs;
    }
    EXPECT_NE(lancer({"search", catalogue, "--created", "2003-02-30..2003-03-01"}).erreurs.find("Date invalide"),
              std::string::npos);
}

TEST_F(Cli, Comparaison)
{
    fichier("a/commun.txt", "1", 1047297600);
    fichier("a/seul.txt", "1", 1047297600);
    fichier("b/COMMUN.TXT", "1", 1047297600);
    fichier("b/autre.txt", "1", 1047297600);
    ok({"new", catalogue});
    ok({"add", catalogue, disque + "/a", "--quiet"});
    ok({"add", catalogue, disque + "/b", "--quiet"});
    const std::string tsv =
        ok({"compare", catalogue, "--query", disque + "/a", "--query", disque + "/b", "--by", "name,size", "--format", "tsv"}).sortie;
    // Files of A first, then those of B, each with its status.
    EXPECT_NE(tsv.find("2\tcommun.txt\t1\t"), std::string::npos) << tsv;
    EXPECT_NE(tsv.find("0\tseul.txt\t"), std::string::npos);
    EXPECT_NE(tsv.find("2\tCOMMUN.TXT\t"), std::string::npos);
    EXPECT_NE(tsv.find("1\tautre.txt\t"), std::string::npos);
    EXPECT_LT(tsv.find("seul.txt"), tsv.find("COMMUN.TXT"));
    const std::string aucun = ok({"compare", catalogue, "--query", disque + "/a", "--query", disque + "/b",
                                  "--by", "none", "--format", "json"}).sortie;
    EXPECT_EQ(aucun.find("\"status\": 0"), std::string::npos);
    EXPECT_EQ(lancer({"compare", catalogue, "--query", disque + "/a", "--query", disque + "/a"}).code, 2);
    EXPECT_EQ(lancer({"compare", catalogue, "--query", disque + "/a", "--query", disque + "/b", "--by", "couleur"}).code, 2);
}

TEST_F(Cli, LesCommandesDeLectureNEcriventRien)
{
    fichier("a.txt");
    catalogueAvecDisque();
    const std::string avant = lireFichier(catalogue);
    struct stat st {};
    stat(catalogue.c_str(), &st);
    const auto mtime = st.st_mtim;
    ok({"tree", catalogue});
    ok({"info", catalogue});
    ok({"dump", catalogue});
    ok({"search", catalogue, "--pattern", "*.txt"});
    EXPECT_EQ(lireFichier(catalogue), avant);
    stat(catalogue.c_str(), &st);
    EXPECT_EQ(st.st_mtim.tv_sec, mtime.tv_sec);
    EXPECT_EQ(st.st_mtim.tv_nsec, mtime.tv_nsec);
}

// Names that would drive the terminal (ESC, OSC ended by BEL, a C1 CSI) or show as
// another name (a right-to-left override, a line separator) are printed escaped in text
// and tsv, and in JSON as \uHHHH.
TEST_F(Cli, NomsHostilesEchappesALaSortie)
{
    fichier("ecran\x1b[2J/titre\x1b]0;pris\x07\xc2\x9b" "1m.txt");
    fichier("ecran\x1b[2J/video\xe2\x80\xaegpj.exe\xe2\x80\xa8" "faux");
    catalogueAvecDisque();
    const std::string dossier = "ecran\\x1b[2J";
    const std::string nom = "titre\\x1b]0;pris\\x07\\xc2\\x9b1m.txt";
    const std::string arbre = ok({"tree", catalogue}).sortie;
    EXPECT_NE(arbre.find("    " + dossier + "\n"), std::string::npos) << arbre;
    const std::string texte = ok({"search", catalogue}).sortie;
    EXPECT_NE(texte.find(nom + "  "), std::string::npos) << texte;
    EXPECT_NE(texte.find(disque + "/" + dossier + "\n"), std::string::npos) << texte;
    const std::string tsv = ok({"search", catalogue, "--format", "tsv"}).sortie;
    EXPECT_EQ(tsv.rfind(nom + "\t", 0), 0u) << tsv;
    const std::string json = ok({"search", catalogue, "--format", "json"}).sortie;
    EXPECT_NE(json.find("titre\\u001B]0;pris\\u0007\\u009B1m.txt"), std::string::npos) << json;
    const std::string dump = ok({"dump", catalogue}).sortie;
    EXPECT_NE(dump.find("ecran\\u001B[2J"), std::string::npos);
    const std::string inverse = "video\\xe2\\x80\\xaegpj.exe\\xe2\\x80\\xa8faux";
    EXPECT_NE(texte.find(inverse + "  "), std::string::npos) << texte;
    EXPECT_NE(tsv.find("\n" + inverse + "\t"), std::string::npos) << tsv;
    EXPECT_NE(json.find("video\\u202Egpj.exe\\u2028faux"), std::string::npos) << json;
    for (const std::string& sortie : {arbre, texte, tsv, json, dump}) {
        EXPECT_EQ(sortie.find("\xe2\x80\xae"), std::string::npos);
        EXPECT_EQ(sortie.find("\xe2\x80\xa8"), std::string::npos);
        EXPECT_EQ(sortie.find('\x1b'), std::string::npos);
        EXPECT_EQ(sortie.find('\x07'), std::string::npos);
        EXPECT_EQ(sortie.find("\xc2\x9b"), std::string::npos);
    }
    // An error naming a hostile query does not pass it on either.
    const SResultat r = lancer({"info", catalogue, "--query", disque, "--folder", "/x\x1b]0;y\x07"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.erreurs.find("/x\\x1b]0;y\\x07"), std::string::npos) << r.erreurs;
    // Nor can a newline in a name make one message look like two.
    for (const std::vector<std::string>& commande : std::vector<std::vector<std::string>>{
             {"info", catalogue, "--query", "q\nnorvanel-cli : faux"}, {"info", catalogue + "\nnorvanel-cli : faux"}}) {
        const SResultat erreur = lancer(commande);
        EXPECT_EQ(erreur.code, 2);
        EXPECT_NE(erreur.erreurs.find("\\nnorvanel-cli : faux"), std::string::npos) << erreur.erreurs;
        EXPECT_EQ(erreur.erreurs.find("\nnorvanel-cli : faux"), std::string::npos) << erreur.erreurs;
    }
    EXPECT_NE(lancer({"search", "--help"}).sortie.find("\\xHH"), std::string::npos);
}

// A full disk or a reader gone: the command stops with a message and exit 2.
TEST_F(Cli, SortieImpossibleAEcrire)
{
    for (int i = 0; i < 40; ++i)
        fichier("f" + std::to_string(i));
    catalogueAvecDisque();
    for (const std::vector<std::string>& commande : std::vector<std::vector<std::string>>{
             {"dump", catalogue}, {"search", catalogue, "--format", "tsv"}, {"tree", catalogue}, {"search", "--help"}}) {
        const SResultat plein = lancerVers(commande, "/dev/full");
        EXPECT_EQ(plein.code, 2) << commande[0];
        EXPECT_NE(plein.erreurs.find("impossible d'écrire la sortie : le disque est plein"), std::string::npos)
            << plein.erreurs;
    }
    const SResultat ferme = lancerVers({"dump", catalogue}, "");
    EXPECT_EQ(ferme.code, 2);
    EXPECT_NE(ferme.erreurs.find("impossible d'écrire la sortie : le programme qui la lisait l'a fermée"),
              std::string::npos)
        << ferme.erreurs;
    // Once the catalogue is saved, a failed output is said, but the save decides.
    const SResultat ajout = lancerVers({"mkbinder", catalogue, "Archives"}, "/dev/full");
    EXPECT_EQ(ajout.code, 0) << ajout.erreurs;
    EXPECT_NE(ajout.erreurs.find("le catalogue est enregistré, mais impossible d'écrire la sortie"), std::string::npos)
        << ajout.erreurs;
    EXPECT_NE(ok({"tree", catalogue}).sortie.find("Archives\n"), std::string::npos);
}

TEST_F(Cli, CatalogueIllisible)
{
    std::ofstream(catalogue, std::ios::binary) << "pas un catalogue";
    for (const char* commande : {"tree", "info", "dump", "search", "update"}) {
        const SResultat r = lancer({commande, catalogue});
        EXPECT_EQ(r.code, 2) << commande;
        EXPECT_NE(r.erreurs.find("Impossible d'ouvrir le catalogue « " + catalogue + " »"), std::string::npos)
            << r.erreurs;
    }
    EXPECT_EQ(lireFichier(catalogue), "pas un catalogue");
    EXPECT_EQ(lancer({"tree", racine + "/absent.kbt"}).code, 2);
}

TEST_F(Cli, ImpressionPdf)
{
    fichier("a.txt");
    fichier("b.txt");
    catalogueAvecDisque();
    const std::string pdf = racine + "/sortie.pdf";
    ok({"print", catalogue, "--pdf", pdf});
    EXPECT_EQ(lireFichier(pdf).rfind("%PDF", 0), 0u);
    ok({"new", racine + "/vide.kbt"});
    const SResultat vide = lancer({"print", racine + "/vide.kbt", "--pdf", racine + "/vide.pdf"});
    EXPECT_EQ(vide.code, 2);
    EXPECT_EQ(vide.erreurs.rfind("norvanel-cli print : ", 0), 0u) << vide.erreurs;
    const SResultat usage = lancer({"print", catalogue});
    EXPECT_EQ(usage.code, 1);
    EXPECT_NE(usage.erreurs.find("Usage : norvanel-cli print"), std::string::npos) << usage.erreurs;

    // The drawing is another program's: norvanel-cli itself loads no Qt library, and
    // without that program beside it, print says so.
    const SResultat bibliotheques = lancerProgramme("/usr/bin/ldd", {NORVANEL_CLI}, {"PATH=/usr/bin:/bin"});
    ASSERT_EQ(bibliotheques.code, 0) << bibliotheques.erreurs;
    EXPECT_NE(bibliotheques.sortie.find("libc.so"), std::string::npos);
    EXPECT_EQ(bibliotheques.sortie.find("Qt"), std::string::npos) << bibliotheques.sortie;
    const std::string seul = racine + "/seul/norvanel-cli";
    ASSERT_EQ(::mkdir((racine + "/seul").c_str(), 0700), 0);
    std::filesystem::copy_file(NORVANEL_CLI, seul);
    const SResultat sansDessin = lancerProgramme(seul, {"print", catalogue, "--pdf", racine + "/b.pdf"}, {});
    EXPECT_EQ(sansDessin.code, 2);
    EXPECT_NE(sansDessin.erreurs.find("impossible de lancer « " + racine + "/seul/norvanel-cli-pdf »"),
              std::string::npos)
        << sansDessin.erreurs;
    EXPECT_FALSE(std::filesystem::exists(racine + "/b.pdf"));
}

} // namespace
