#include "tests/fiabilite/AideEnregistrement.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/fake/CPlateformeFactice.h"
#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "tests/core/CataloguesDeTest.h"

namespace {

struct SEtape {
    int entrees = 0;
    std::size_t longueur = 0;
    char lettre = 'a';
};

bool lireEtape(const std::string& texte, SEtape& e)
{
    char lettre = 0;
    unsigned long longueur = 0;
    if (std::sscanf(texte.c_str(), "%d:%lu:%c", &e.entrees, &longueur, &lettre) != 3 || e.entrees < 0)
        return false;
    e.longueur = longueur;
    e.lettre = lettre;
    return true;
}

void rapporter(const std::string& cle, const std::string& valeur)
{
    std::printf("%s=%s\n", cle.c_str(), valeur.c_str());
    std::fflush(stdout);
}

int temporairesAupres(const std::string& chemin)
{
    const std::size_t sep = chemin.rfind('/');
    const std::string dossier = sep == 0 ? "/" : chemin.substr(0, sep);
    int n = 0;
    for (const std::string& nom : entreesDe(dossier))
        n += estTemporaireDe(nom, chemin.substr(sep + 1));
    return n;
}

void enregistrerEtape(const std::string& prefixe, const std::string& chemin, const SEtape& etape)
{
    const bool avaitFichier = existe(chemin);
    const std::string avant = avaitFichier ? lireTout(chemin) : std::string();
    CDoc doc;
    remplirCatalogue(doc, etape.entrees, etape.longueur, etape.lettre);
    rapporter(prefixe + "pret", "1");
    const auto resultat = enregistrerCatalogue(doc, chemin);
    rapporter(prefixe + "resultat", !resultat ? "echec" : "ok");
    rapporter(prefixe + "message", !resultat ? resultat.raison() : "");
    rapporter(prefixe + "modifie", doc.estModifie() ? "1" : "0");
    const bool aFichier = existe(chemin);
    const std::string apres = aFichier ? lireTout(chemin) : std::string();
    rapporter(prefixe + "intact", aFichier == avaitFichier && apres == avant ? "1" : "0");
    rapporter(prefixe + "conforme", aFichier && apres == ecrireCatalogue(doc) ? "1" : "0");
    rapporter(prefixe + "temporaires", std::to_string(temporairesAupres(chemin)));
}

int servir(const std::string& chemin, const SEtape (&etapes)[2])
{
    CDoc docs[2];
    for (int i = 0; i < 2; ++i)
        remplirCatalogue(docs[i], etapes[i].entrees, etapes[i].longueur, etapes[i].lettre);
    char lettre = 0;
    while (::read(STDIN_FILENO, &lettre, 1) == 1) {
        if (lettre != 'a' && lettre != 'b')
            continue;
        const pid_t pid = ::fork();
        if (pid < 0)
            return 1;
        if (pid == 0) {
            rapporter("pid", std::to_string(::getpid()));
            ::_exit(enregistrerCatalogue(docs[lettre - 'a'], chemin) ? 0 : 1);
        }
        int statut = 0;
        while (::waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
        }
        rapporter("fin", std::to_string(WIFSIGNALED(statut) ? 128 + WTERMSIG(statut) : WEXITSTATUS(statut)));
    }
    return 0;
}

} // namespace

bool estAppelAide(int argc, char** argv)
{
    return argc >= 2 && std::strcmp(argv[1], "--aide") == 0;
}

int executerAide(const std::vector<std::string>& arguments)
{
    CPlateformeFactice plateforme;
    definirPlateforme(&plateforme);
    SEtape deux[2];
    if (arguments.size() == 4 && arguments[0] == "serveur" && lireEtape(arguments[2], deux[0]) &&
        lireEtape(arguments[3], deux[1]))
        return servir(arguments[1], deux);
    if (arguments.size() < 4 || arguments[0] != "enregistrer") {
        std::fprintf(stderr, "usage : --aide enregistrer PREFIXE CHEMIN ETAPE... | --aide serveur CHEMIN ETAPE ETAPE\n");
        return 2;
    }
    for (std::size_t i = 3; i < arguments.size(); ++i) {
        SEtape etape;
        if (!lireEtape(arguments[i], etape)) {
            std::fprintf(stderr, "étape mal formée : %s\n", arguments[i].c_str());
            return 2;
        }
        enregistrerEtape(arguments[1] + "." + std::to_string(i - 2) + ".", arguments[2], etape);
    }
    definirPlateforme(nullptr);
    return 0;
}
