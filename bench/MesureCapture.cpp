#include "bench/MesureCapture.h"

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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

// Runs `travail` in a child process, which starts from the allocator's state of this
// one: what an earlier run left behind (memory freed by other threads, a trimmed heap)
// can neither favour nor hinder the next, whatever their order. `travail` returns its
// measure and sets the files seen and the fingerprint.
template <typename F>
SMesure dansUnEnfant(F&& travail, std::size_t& fichiers, std::string* empreinte)
{
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(tube[0]);
        std::string texte;
        std::size_t vus = 0;
        const SMesure m = travail(vus, empreinte ? &texte : nullptr);
        std::string message(reinterpret_cast<const char*>(&m), sizeof m);
        message.append(reinterpret_cast<const char*>(&vus), sizeof vus).append(texte);
        for (std::size_t ecrit = 0; ecrit < message.size();) {
            const ssize_t n = write(tube[1], message.data() + ecrit, message.size() - ecrit);
            if (n <= 0)
                _exit(1);
            ecrit += std::size_t(n);
        }
        _exit(0);
    }
    close(tube[1]);
    std::string message;
    char tampon[65536];
    for (ssize_t n; pid > 0 && (n = read(tube[0], tampon, sizeof tampon)) > 0;)
        message.append(tampon, std::size_t(n));
    close(tube[0]);
    int etat = -1;
    if (pid < 0 || waitpid(pid, &etat, 0) != pid || !WIFEXITED(etat) || WEXITSTATUS(etat) != 0 ||
        message.size() < sizeof(SMesure) + sizeof fichiers)
        return {};
    SMesure m;
    std::memcpy(&m, message.data(), sizeof m);
    std::memcpy(&fichiers, message.data() + sizeof m, sizeof fichiers);
    if (empreinte != nullptr)
        *empreinte = message.substr(sizeof m + sizeof fichiers);
    return m;
}

} // namespace

SMesure mesurerCapture(const std::string& racine, int fils, std::size_t& fichiers, std::string* empreinte,
                       bool avecCreation)
{
    return dansUnEnfant(
        [&](std::size_t& vus, std::string* texte) {
            CDoc doc;
            doc.initialiserNouveau();
            CClasseur* classeur = doc.classeurs().elementA(0);
            auto* q = new CRequete(classeur);
            q->definirNom("arbre");
            q->definirChemin(racine);
            classeur->requetes().ajouter(q);
            EResultatMiseAJour resultat{};
            const SMesure m = mesurerEnProcessus([&] { resultat = mettreAJourRequete(*q, nullptr, fils); });
            vus = compterFichiers(*q);
            if (texte != nullptr)
                *texte = empreinteRequete(*q, avecCreation);
            return resultat == EResultatMiseAJour::Capturee ? m : SMesure{};
        },
        fichiers, empreinte);
}

SMesure mesurerPlancher(const std::string& racine, std::size_t& fichiers)
{
    return dansUnEnfant(
        [&](std::size_t& vus, std::string*) {
            std::vector<SEntreePlancher> entrees;
            bool lu = false;
            const SMesure m = mesurerEnProcessus([&] { lu = parcourirPlancher(racine, entrees); });
            for (const SEntreePlancher& e : entrees)
                vus += !S_ISDIR(e.mode);
            return lu ? m : SMesure{};
        },
        fichiers, nullptr);
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
