// norvanel-cli: catalogues of file lists from the command line, over the same core as
// the window program.

#include <algorithm>
#include <csignal>
#include <cstring>
#include <iostream>
#include <map>
#include <string>

#include "cli/Arguments.h"
#include "cli/Commandes.h"
#include "cli/Execution.h"
#include "cli/SortieStandard.h"
#include "cli/UtilisateurTerminal.h"
#include "platform/TexteAffichable.h"
#include "platform/Version.h"
#include "platform/linux/CPlateformeLinux.h"
#include "model/CCriteres.h"
#include "workspace/CContexte.h"

namespace {

struct SCommande {
    int (*executer)(const Mots&);
    const char* usage;
    const char* resume;
};

const char* const kCriteres =
    "  --created DEBUT..FIN  --modified DEBUT..FIN  --accessed DEBUT..FIN   (AAAA-MM-JJ)\n"
    "  --size '>=2Mo'  (=, >= ou <= ; 0 à 99999 ; octets, Ko, Mo ou Go)\n"
    "  --attr +R-H     (R, H, S, A : + présent, - absent)\n"
    "  --duplicates name,created,modified,accessed,size | any\n";

const char* const kFils =
    "  --threads N     nombre de fils qui lisent les dossiers, de 1 à 256 (1 : la lecture\n"
    "                  sur un seul fil) ; sans l'option, 16 sur un partage réseau ou FUSE,\n"
    "                  le nombre de processeurs sur un disque local. Le catalogue est le\n"
    "                  même quel que soit le nombre.\n";

const char* const kEchappement =
    "Dans les sorties text et tsv, les noms sont écrits échappés, pour qu'aucun ne commande\n"
    "le terminal : \\t, \\n et \\r pour tabulation, saut de ligne et retour chariot, \\\\ pour\n"
    "la barre oblique inverse, \\xHH pour tout autre octet de contrôle (C0, DEL, les deux\n"
    "octets d'un C1) ou hors UTF-8 valide, et chaque octet des caractères qui changeraient\n"
    "l'affichage d'un nom : contrôles bidirectionnels (U+061C, U+200E, U+200F, U+202A à\n"
    "U+202E, U+2066 à U+2069), séparateurs de ligne et de paragraphe (U+2028, U+2029). Le\n"
    "JSON écrit ces caractères et les contrôles en \\uHHHH et un octet hors UTF-8 en\n"
    "\\uDC80..\\uDCFF.\n";

const std::map<std::string, SCommande>& commandes()
{
    static const std::map<std::string, SCommande> table = {
        {"new", {commandeNew, "new CATALOGUE", "crée un catalogue vide"}},
        {"mkbinder", {commandeMkbinder, "mkbinder CATALOGUE [NOM]", "ajoute un classeur"}},
        {"add",
         {commandeAdd,
          "add CATALOGUE DOSSIER [--binder NOM] [--no-subfolders] [--empty-folders] [--no-hidden]\n"
          "    [--include MOTIF | --exclude MOTIF] [--no-created] [--no-modified] [--no-accessed]\n"
          "    [--no-size] [--no-attributes] [--quiet] [--threads N] [critères avancés]",
          "ajoute une requête sur DOSSIER et la capture"}},
        {"update",
         {commandeUpdate, "update CATALOGUE [--query NOM]... [--quiet] [--threads N]", "capture de nouveau des requêtes"}},
        {"rename", {commandeRename, "rename CATALOGUE (--binder NOM | --query NOM) NOUVEAU", "renomme"}},
        {"rm", {commandeRm, "rm CATALOGUE (--binder NOM | --query NOM)", "supprime"}},
        {"tree", {commandeTree, "tree CATALOGUE", "affiche classeurs, requêtes et dossiers"}},
        {"info",
         {commandeInfo, "info CATALOGUE [--binder NOM | --query NOM [--folder CHEMIN]]",
          "volume, nombres de dossiers et de fichiers, taille totale"}},
        {"dump", {commandeDump, "dump CATALOGUE", "tout le catalogue en JSON"}},
        {"search",
         {commandeSearch,
          "search CATALOGUE [--binder NOM | --query NOM [--folder CHEMIN]] [--pattern MOTIF]\n"
          "    [critères] [--no-subfolders] [--no-hidden-folders] [--sort COLONNE[:desc]]\n"
          "    [--format text|tsv|json|csv|html]",
          "recherche des fichiers"}},
        {"find",
         {commandeFind,
          "find CATALOGUE [CATALOGUE...] [--format text|tsv|json|csv|html] [--no-cache] -- MOT...\n"
          "    Les fichiers dont le chemin (dossier et nom) contient chaque MOT, dans n'importe quel\n"
          "    ordre, sans égard à la casse ni aux accents, comme la recherche rapide de la fenêtre :\n"
          "    chaque requête de chaque CATALOGUE, dans l'ordre donné. Un MOT avec * ou ? est un\n"
          "    motif sur le nom seul. Un argument qui contient un blanc est un seul mot ; des\n"
          "    guillemets dans un argument groupent des mots comme dans la fenêtre. En tsv, le\n"
          "    chemin du catalogue suit les colonnes de search ; en JSON, c'est le membre\n"
          "    « catalogue ». Un catalogue illisible est signalé (code 2), les autres sont lus.\n"
          "    L'index de chaque catalogue est gardé dans $XDG_CACHE_HOME/norvanel (~/.cache/norvanel\n"
          "    par défaut) et sert tant que le catalogue n'a pas changé ; --no-cache, ou la variable\n"
          "    NORVANEL_SANS_CACHE non vide, lit le catalogue entier sans lire ni écrire cet index.",
          "recherche rapide dans un ou plusieurs catalogues"}},
        {"compare",
         {commandeCompare,
          "compare CATALOGUE --query A --query B [--by name,created,modified,accessed,size,attributes|none]\n"
          "    [--format text|tsv|json|csv|html]",
          "compare deux requêtes"}},
        {"print", {commandePrint, "print CATALOGUE --pdf SORTIE.pdf", "imprime le catalogue dans un PDF A4"}},
    };
    return table;
}

void aideGenerale(std::ostream& o)
{
    o << "Usage : norvanel-cli COMMANDE [OPTIONS]\n       norvanel-cli --help | --version\n\nCommandes :\n";
    for (const auto& [nom, c] : commandes())
        o << "  " << nom << std::string(10 - nom.size(), ' ') << c.resume << "\n";
    o << "\n« norvanel-cli COMMANDE --help » décrit une commande.\n"
         "-h, --help     affiche cette aide\n"
         "-v, --version  affiche la version\n\n"
      << kEchappement;
}

void aideCommande(std::ostream& o, const SCommande& c)
{
    o << "Usage : norvanel-cli " << c.usage << "\n";
    if (std::strstr(c.usage, "--threads"))
        o << kFils;
    if (std::strstr(c.usage, "critères"))
        o << "Critères :\n" << kCriteres;
    if (std::strstr(c.usage, "--format"))
        o << kEchappement;
}

// The exit code once a help (or the version) is printed: 2, with the reason, when it could not go out.
int codeApresAide(const std::string& nom)
{
    try {
        terminerSortie();
        return 0;
    } catch (const SErreurDonnees& e) {
        std::cerr << "norvanel-cli " << texteAffichable(nom, EEchappement::Message) << " : " << e.what() << "\n";
        return 2;
    }
}

} // namespace

int main(int argc, char** argv)
{
    // A reader that goes away (`| head`) makes writes fail instead of killing us.
    std::signal(SIGPIPE, SIG_IGN);
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);

    if (argc < 2) {
        aideGenerale(std::cerr);
        return 1;
    }
    const std::string nom = argv[1];
    if (nom == "--help" || nom == "-h" || nom == "help") {
        aideGenerale(std::cout);
        return codeApresAide(nom);
    }
    if (nom == "--version" || nom == "-v") {
        std::cout << "norvanel-cli (Norvanel) version " << kVersionNorvanel << "\n";
        return codeApresAide(nom);
    }
    const auto it = commandes().find(nom);
    if (it == commandes().end()) {
        std::cerr << "norvanel-cli : commande inconnue : " << texteAffichable(nom, EEchappement::Message) << "\n";
        aideGenerale(std::cerr);
        return 1;
    }
    const Mots mots(argv + 2, argv + argc);
    // After "--" come operands only: a file or a word may be called "-h".
    for (const std::string& m : Mots(mots.begin(), std::find(mots.begin(), mots.end(), "--")))
        if (m == "--help" || m == "-h") {
            aideCommande(std::cout, it->second);
            return codeApresAide(nom);
        }
    return executerCommande(nom, [&] { return it->second.executer(mots); },
                            [&] { aideCommande(std::cerr, it->second); });
}
