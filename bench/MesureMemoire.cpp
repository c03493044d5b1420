#include "bench/MesureMemoire.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

long long pointeMemoire()
{
    std::ifstream f("/proc/self/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind("VmHWM:", 0) == 0)
            return std::atoll(ligne.c_str() + 6) * 1024;
    return -1;
}

void rapporterMemoire(std::size_t entrees, long long avant, long long apres)
{
    std::printf("%zu %lld %lld\n", entrees, avant, apres);
    std::fflush(stdout);
}

double octetsParEntreeEnfant(const std::vector<std::string>& arguments, const char* libelle)
{
    int tube[2];
    if (::pipe(tube) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        ::dup2(tube[1], STDOUT_FILENO);
        ::close(tube[0]);
        ::close(tube[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>("enfant"));
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv("/proc/self/exe", argv.data());
        std::_Exit(127);
    }
    ::close(tube[1]);
    std::string sortie;
    char morceau[256];
    ssize_t lus;
    while ((lus = ::read(tube[0], morceau, sizeof morceau)) > 0)
        sortie.append(morceau, static_cast<std::size_t>(lus));
    ::close(tube[0]);
    int etat = 0;
    ::waitpid(pid, &etat, 0);
    unsigned long long entrees = 0;
    long long avant = 0, apres = 0;
    if (!WIFEXITED(etat) || WEXITSTATUS(etat) != 0 ||
        std::sscanf(sortie.c_str(), "%llu %lld %lld", &entrees, &avant, &apres) != 3 || entrees == 0 || avant < 0)
        return -1;
    std::printf("%-9s %llu entrées, VmHWM %.1f Mo au départ, %.1f Mo après le chargement\n", libelle, entrees,
                double(avant) / 1e6, double(apres) / 1e6);
    return double(apres - avant) / double(entrees);
}
