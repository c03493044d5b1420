// norvanel-cli find: the quick search's words over two catalogues built by the tests,
// and unreadable ones among them.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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

// A catalogue of two queries whose records run past the first 4 KiB (what the index's
// identity checksums), written at `chemin`.
void ecrireCatalogueIndexe(const std::string& chemin, const std::string& dossierVacances)
{
    std::string texte = "classeur Maison\n  requete Photos /media/photos\n";
    for (int i = 0; i < 120; ++i)
        texte += "    fichier remplissage-" + std::to_string(i) + ".dat taille=" + std::to_string(i) + "\n";
    texte += "    dossier " + dossierVacances + "\n      fichier plage.jpg taille=7\n      fichier notes.txt\n"
             "    dossier Travail\n      fichier plage.txt\n  requete Docs /srv/docs\n    fichier plage.pdf\n";
    ecrire(chemin, ecrireCatalogue(*construireCatalogue(texte).doc));
}

struct SDossierFind {
    SDossierFind()
    {
        definirPlateforme(&plateformeLinux);
        char modele[] = "/tmp/norvanel-find-index-XXXXXX";
        racine = mkdtemp(modele);
        // A cache of this test's own, whatever the others left in theirs.
        ancienCache = std::getenv("XDG_CACHE_HOME");
        setenv("XDG_CACHE_HOME", (racine + "/cache").c_str(), 1);
        std::filesystem::create_directories(dossierCacheDesTests());
        std::filesystem::permissions(dossierCacheDesTests(), std::filesystem::perms::owner_all);
    }
    ~SDossierFind()
    {
        setenv("XDG_CACHE_HOME", ancienCache.c_str(), 1);
        std::system(("rm -rf '" + racine + "'").c_str());
        definirPlateforme(nullptr);
    }
    // The one index file of the cache (the tests search one catalogue at a time).
    std::string indexUnique() const
    {
        std::string trouve;
        for (const auto& e : std::filesystem::directory_iterator(dossierCacheDesTests()))
            if (e.path().filename().string().rfind("index-", 0) == 0) {
                EXPECT_TRUE(trouve.empty()) << "deux index";
                trouve = e.path();
            }
        return trouve;
    }
    CPlateformeLinux plateformeLinux;
    std::string racine;
    std::string ancienCache;
};

// Whatever lies in the cache in a catalogue's index's place, find answers what the
// catalogue holds, and a good index takes its place.
TEST(CliFind, UnIndexQuiNeConvientPasNeChangeRienALaReponse)
{
    SDossierFind d;
    const std::string a = d.racine + "/a.kbt", b = d.racine + "/b.kbt";
    ecrireCatalogueIndexe(a, "Vacances");
    ecrireCatalogueIndexe(b, "Voyages");
    const std::vector<std::string> chercher = {"find", a, "--format=tsv", "--", "plage"};
    std::vector<std::string> sansCache = chercher;
    sansCache.insert(sansCache.begin() + 2, "--no-cache");
    const SResultat attendu = lancer(sansCache);
    ASSERT_EQ(attendu.code, 0);
    ASSERT_EQ(std::count(attendu.sortie.begin(), attendu.sortie.end(), '\n'), 3);
    EXPECT_TRUE(std::filesystem::is_empty(dossierCacheDesTests())) << "--no-cache écrit un index";

    ASSERT_EQ(lancer(chercher).sortie, attendu.sortie);
    const std::string index = d.indexUnique();
    ASSERT_FALSE(index.empty());
    const std::string bon = lireFichier(index);
    struct stat avant {}, apres {};
    ASSERT_EQ(stat(index.c_str(), &avant), 0);
    ASSERT_EQ(lancer(chercher).sortie, attendu.sortie);
    ASSERT_EQ(stat(index.c_str(), &apres), 0);
    EXPECT_EQ(apres.st_ino, avant.st_ino) << "un index bon est réécrit au lieu de servir";
    // b's index, in a's place.
    std::filesystem::rename(index, d.racine + "/garde");
    ASSERT_EQ(lancer({"find", b, "--", "plage"}).code, 0);
    const std::string autre = lireFichier(d.indexUnique());
    std::filesystem::rename(d.indexUnique(), d.racine + "/autre");
    std::filesystem::rename(d.racine + "/garde", index);

    const auto poser = [&](const std::string& octets) {
        std::filesystem::remove(index);
        ecrire(index, octets);
        chmod(index.c_str(), 0600);
    };
    const auto change = [&](std::size_t pos, std::uint8_t octet) {
        std::string c = bon;
        c[pos] = char(octet);
        poser(c);
    };
    std::vector<std::pair<std::string, std::function<void()>>> cas = {
        {"nombre de requêtes trop grand", [&] { change(15, 0x7F); }},
        {"décalage après la fin", [&] { change(104 + 24 + 5, 0x7F); }},
        {"octet changé sous la somme", [&] { change(bon.size() / 2, std::uint8_t(bon[bon.size() / 2] ^ 1)); }},
        {"version plus ancienne", [&] { change(8, 0); }},
        {"index d'un autre catalogue", [&] { poser(autre); }},
        {"lien symbolique", [&] {
             std::filesystem::remove(index);
             std::filesystem::create_symlink(d.racine + "/autre", index);
         }},
        {"tube nommé", [&] {
             std::filesystem::remove(index);
             mkfifo(index.c_str(), 0600);
         }},
        {"accessible en écriture au groupe", [&] { poser(bon); chmod(index.c_str(), 0620); }},
    };
    if (geteuid() == 0)
        cas.push_back({"fichier d'un autre utilisateur", [&] { poser(bon); ASSERT_EQ(chown(index.c_str(), 65534, 65534), 0); }});
    for (std::size_t n = 0; n < bon.size(); n += 8)
        cas.push_back({"coupé à " + std::to_string(n), [&, n] { poser(bon.substr(0, n)); }});
    for (const auto& [nom, abimer] : cas) {
        abimer();
        const SResultat r = lancer(chercher);
        EXPECT_EQ(r.code, 0) << nom << r.erreurs;
        EXPECT_EQ(r.sortie, attendu.sortie) << nom;
        // Replaced by a good one: a regular file of ours, as the catalogue makes it.
        struct stat st {};
        ASSERT_EQ(lstat(index.c_str(), &st), 0) << nom;
        EXPECT_TRUE(S_ISREG(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 0777) == 0600) << nom;
        EXPECT_EQ(lireFichier(index), bon) << nom;
    }
}

// A catalogue changed since its index was made is never answered from that index:
// changed by the command line, or by another program in place with the same size (a
// new modification time, or the old one put back).
TEST(CliFind, UnCatalogueChangeNEstPasLuDansSonAncienIndex)
{
    SDossierFind d;
    const std::string a = d.racine + "/a.kbt";
    const auto reponse = [&](bool sansCache) {
        std::vector<std::string> args = {"find", a, "--format=tsv", "--", "vacances"};
        if (sansCache)
            args.insert(args.begin() + 2, "--no-cache");
        return lancer(args).sortie;
    };
    // The folder renamed in the file's bytes: same size, records where they were.
    const auto renommerDansLeFichier = [&](bool remettreDate) {
        struct stat st {};
        ASSERT_EQ(stat(a.c_str(), &st), 0);
        std::string octets = lireFichier(a);
        for (std::size_t p; (p = octets.find("Vacances")) != std::string::npos;)
            octets.replace(p, 8, "Vacanses");
        const int fd = open(a.c_str(), O_WRONLY);
        ASSERT_EQ(pwrite(fd, octets.data(), octets.size(), 0), ssize_t(octets.size()));
        const timespec temps[2] = {st.st_atim, remettreDate ? st.st_mtim : timespec{st.st_mtim.tv_sec + 5, 0}};
        ASSERT_EQ(futimens(fd, temps), 0);
        close(fd);
    };
    const std::vector<std::pair<std::string, std::function<void()>>> changements = {
        {"par la ligne de commande", [&] { ASSERT_EQ(lancer({"rm", a, "--query", "Photos"}).code, 0); }},
        {"même taille, date nouvelle", [&] { renommerDansLeFichier(false); }},
        {"même taille, même date", [&] { renommerDansLeFichier(true); }},
    };
    for (const auto& [nom, changer] : changements) {
        ecrireCatalogueIndexe(a, "Vacances");
        const std::string avant = reponse(false);
        ASSERT_NE(avant, "") << nom;
        ASSERT_FALSE(d.indexUnique().empty()) << nom;
        changer();
        const std::string apres = reponse(true);
        ASSERT_NE(apres, avant) << nom;
        EXPECT_EQ(reponse(false), apres) << nom;
        EXPECT_EQ(reponse(false), apres) << nom << " (son nouvel index)";
    }
}

} // namespace
