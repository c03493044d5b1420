#include "bench/MesureCapture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

#include "bench/EmpreinteRequete.h"
#include "bench/ParcoursPlancher.h"
#include "capture/MiseAJour.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

extern char** environ;

namespace {

std::size_t compterFichiers(const CDossier& d)
{
    std::size_t n = std::size_t(d.fichiers().nombre());
    for (const CDossier* s : d.sousDossiers())
        n += compterFichiers(*s);
    return n;
}

} // namespace

SMesure mesurerCapture(const std::string& racine, int fils, std::size_t& fichiers, std::string* empreinte,
                       bool avecCreation)
{
    CDoc doc;
    doc.initialiserNouveau();
    CClasseur* classeur = doc.classeurs().elementA(0);
    auto* q = new CRequete(classeur);
    q->definirNom("arbre");
    q->definirChemin(racine);
    classeur->requetes().ajouter(q);
    EResultatMiseAJour resultat{};
    const SMesure m = mesurerEnProcessus([&] { resultat = mettreAJourRequete(*q, nullptr, fils); });
    fichiers = compterFichiers(*q);
    if (empreinte != nullptr)
        *empreinte = empreinteRequete(*q, avecCreation);
    return resultat == EResultatMiseAJour::Capturee ? m : SMesure{};
}

SMesure mesurerPlancher(const std::string& racine, std::size_t& fichiers)
{
    std::vector<SEntreePlancher> entrees;
    bool lu = false;
    const SMesure m = mesurerEnProcessus([&] { lu = parcourirPlancher(racine, entrees); });
    fichiers = 0;
    for (const SEntreePlancher& e : entrees)
        fichiers += !S_ISDIR(e.mode);
    return lu ? m : SMesure{};
}

SMesure mesurerFind(const std::string& racine)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::string arguments[] = {"find", racine, "-printf", "%p %s %T@ %A@ %C@ %m\n"};
    char* argv[] = {arguments[0].data(), arguments[1].data(), arguments[2].data(), arguments[3].data(), nullptr};
    int etat = -1;
    struct rusage usage {};
    SMesure m;
    m.mur = chronometrer([&] {
        pid_t pid;
        if (posix_spawnp(&pid, "find", &actions, nullptr, argv, environ) == 0)
            wait4(pid, &etat, 0, &usage);
    });
    posix_spawn_file_actions_destroy(&actions);
    m.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return WIFEXITED(etat) && WEXITSTATUS(etat) == 0 ? m : SMesure{};
}
