#include "bench/ArbreDisque.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "bench/Alea.h"

namespace {

constexpr int kProfondeurMax = 8;
constexpr std::uint64_t kGros[] = {4294967297ULL, 5368709120ULL, 6442450944ULL + 12345, 12884901888ULL};

constexpr const char* kBasesDossiers[] = {"Photos", "été", "Übersicht", "日本", "Ωμέγα", "données",
                                          "Musique", "Straße", "Документы", "projets", "Sauvegarde",
                                          "naïve", "src", "Année 2003", "東京 2019"};
constexpr const char* kBasesFichiers[] = {"IMG", "rapport", "été", "Übersicht", "日本語", "Ωμέγα",
                                          "facture", "chanson", "résumé", "lettre", "copie de sécurité"};
constexpr const char* kExtensions[] = {"jpg", "JPG", "png", "doc", "txt", "pdf", "mp3", "c", "html", "zip"};
constexpr const char* kNomsCourants[] = {"Thumbs.db", "desktop.ini", "README.md", "index.html",
                                         "notes.txt", "été.jpg", "Übersicht.pdf", "日本語.txt",
                                         "Ωμέγα.doc", ".DS_Store", ".directory", "cover.jpg"};

// 2000-01-01 .. 2026-12-01, in seconds since 1970.
constexpr std::int64_t kDebutDates = 946684800;
constexpr std::int64_t kFinDates = 1795996800;

std::string marqueur(const SArbreDisque& arbre, std::uint64_t graine)
{
    return "graine=" + std::to_string(graine) + " fichiers=" + std::to_string(arbre.fichiers) +
           " dossiers=" + std::to_string(arbre.dossiers) + "\n";
}

std::string lireFichier(const std::string& chemin)
{
    std::ifstream f(chemin);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool ecrireFichier(const std::string& chemin, const std::string& texte)
{
    std::ofstream f(chemin, std::ios::trunc);
    f << texte;
    return static_cast<bool>(f);
}

std::string nomDossier(CAlea& alea, std::size_t numero)
{
    std::string nom = alea.chance(3) ? "." : "";
    nom += alea.parmi(kBasesDossiers);
    // Half the folders keep the bare name, which then recurs all over the tree.
    if (alea.chance(50))
        nom += " " + std::to_string(numero);
    return nom;
}

std::string nomFichier(CAlea& alea, std::size_t numero)
{
    if (alea.chance(10))
        return alea.parmi(kNomsCourants);
    std::string nom = alea.chance(4) ? "." : "";
    return nom + alea.parmi(kBasesFichiers) + "_" + std::to_string(numero) + "." + alea.parmi(kExtensions);
}

std::uint64_t tailleAuHasard(CAlea& alea)
{
    const unsigned bits = unsigned(alea.jusqua(27));  // up to 64 MiB
    return bits == 0 ? 0 : alea.suivant() & ((1ULL << bits) - 1);
}

// Makes the file with its size and times; on a name already taken in the folder, the
// name gets the file's number.
bool creerFichier(CAlea& alea, const std::string& dossier, std::string nom, std::size_t numero, std::uint64_t taille)
{
    int fd = open((dossier + "/" + nom).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST)
        fd = open((dossier + "/" + std::to_string(numero) + " " + nom).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  0644);
    if (fd < 0)
        return false;
    const std::int64_t modifie = kDebutDates + std::int64_t(alea.jusqua(kFinDates - kDebutDates));
    const std::int64_t accede = modifie + std::int64_t(alea.jusqua(kFinDates - modifie + 1));
    const struct timespec temps[2] = {{accede, 0}, {modifie, long(alea.jusqua(1000000000))}};
    const bool fait = ftruncate(fd, off_t(taille)) == 0 && futimens(fd, temps) == 0;
    close(fd);
    return fait;
}

std::string generer(const SArbreDisque& arbre, std::uint64_t graine)
{
    CAlea alea(graine);
    struct SDossier {
        std::string chemin;
        int profondeur;
    };
    const std::string& racine = arbre.racine;
    std::vector<SDossier> dossiers{{racine, 0}};
    std::vector<std::size_t> ouverts{0};  // folders that may still get a sub-folder
    if (mkdir(racine.c_str(), 0755) != 0)
        return "impossible de créer " + racine + " : " + std::strerror(errno);
    for (std::size_t i = 1; i <= arbre.dossiers; ++i) {
        const SDossier parent = dossiers[ouverts[alea.jusqua(ouverts.size())]];
        std::string chemin = parent.chemin + "/" + nomDossier(alea, i);
        if (mkdir(chemin.c_str(), 0755) != 0) {
            chemin += " (" + std::to_string(i) + ")";
            if (mkdir(chemin.c_str(), 0755) != 0)
                return "impossible de créer " + chemin + " : " + std::strerror(errno);
        }
        if (parent.profondeur + 1 < kProfondeurMax)
            ouverts.push_back(dossiers.size());
        dossiers.push_back({chemin, parent.profondeur + 1});
    }
    for (std::size_t i = 0; i < arbre.fichiers; ++i) {
        const std::string& dossier = dossiers[alea.jusqua(dossiers.size())].chemin;
        const bool gros = i < std::size(kGros);
        const std::string nom = gros ? "image disque " + std::to_string(i) + ".iso" : nomFichier(alea, i);
        if (!creerFichier(alea, dossier, nom, i, gros ? kGros[i] : tailleAuHasard(alea)))
            return "impossible de créer un fichier dans " + dossier + " : " + std::strerror(errno);
        if ((i + 1) % 20000 == 0)
            std::fprintf(stderr, "  %zu fichiers créés\n", i + 1);
    }
    return {};
}

} // namespace

SArbreDisque preparerArbre(const std::string& dossier, std::uint64_t graine, std::size_t fichiers, std::size_t dossiers)
{
    namespace fs = std::filesystem;
    SArbreDisque arbre;
    arbre.racine = dossier + "/arbre";
    arbre.fichiers = fichiers;
    arbre.dossiers = dossiers;
    const std::string cheminMarqueur = dossier + "/arbre.graine";
    std::error_code ec;
    fs::create_directories(dossier, ec);
    if (ec) {
        arbre.erreur = "impossible de créer " + dossier + " : " + ec.message();
        return arbre;
    }
    const bool marque = fs::exists(cheminMarqueur, ec);
    if (marque && lireFichier(cheminMarqueur) == marqueur(arbre, graine))
        return arbre;
    if (fs::exists(arbre.racine, ec)) {
        // Only a tree this benchmark left (another seed, or cut short) is removed.
        if (!marque) {
            arbre.erreur = arbre.racine + " existe et ne vient pas de ce banc d'essai : choisissez un autre dossier";
            return arbre;
        }
        fs::remove_all(arbre.racine, ec);
        if (ec) {
            arbre.erreur = "impossible de retirer l'ancien arbre " + arbre.racine + " : " + ec.message();
            return arbre;
        }
    }
    if (!ecrireFichier(cheminMarqueur, "en cours\n")) {
        arbre.erreur = "impossible d'écrire " + cheminMarqueur;
        return arbre;
    }
    std::fprintf(stderr, "Génération de l'arbre (graine %llu) dans %s...\n", (unsigned long long)graine,
                 arbre.racine.c_str());
    arbre.erreur = generer(arbre, graine);
    if (arbre.erreur.empty() && !ecrireFichier(cheminMarqueur, marqueur(arbre, graine)))
        arbre.erreur = "impossible d'écrire " + cheminMarqueur;
    arbre.genere = true;
    return arbre;
}
