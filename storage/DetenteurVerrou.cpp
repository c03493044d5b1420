#include "platform/TexteAffichable.h"
#include "storage/DetenteurVerrou.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string lireTexte(const std::string& chemin)
{
    std::ifstream f(chemin);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

std::string nomUtilisateur(uid_t uid)
{
    std::vector<char> tampon(16384);
    struct passwd pw {}, *trouve = nullptr;
    if (::getpwuid_r(uid, &pw, tampon.data(), tampon.size(), &trouve) == 0 && trouve)
        return trouve->pw_name;
    return std::to_string(uid);
}

} // namespace

int pidDetenteur(const std::string& locks, unsigned majeur, unsigned mineur, unsigned long long inode)
{
    std::istringstream lignes(locks);
    for (std::string ligne; std::getline(lignes, ligne);) {
        // "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF"; a waiter's line has "->".
        if (ligne.find("->") != std::string::npos)
            continue;
        char type[16], mode[16], acces[16];
        int pid = 0;
        unsigned ma = 0, mi = 0;
        unsigned long long ino = 0;
        const std::size_t deux = ligne.find(':');
        if (deux == std::string::npos ||
            std::sscanf(ligne.c_str() + deux + 1, "%15s %15s %15s %d %x:%x:%llu", type, mode, acces, &pid, &ma, &mi,
                        &ino) != 7)
            continue;
        if (ma == majeur && mi == mineur && ino == inode && pid > 0)
            return pid;
    }
    return 0;
}

std::optional<std::string> detenteurVerrou(dev_t peripherique, ino_t inode)
{
    const int pid = pidDetenteur(lireTexte("/proc/locks"), major(peripherique), minor(peripherique),
                                 static_cast<unsigned long long>(inode));
    struct stat processus {};
    const std::string dossier = "/proc/" + std::to_string(pid);
    if (pid <= 0 || ::stat(dossier.c_str(), &processus) != 0)
        return std::nullopt;
    std::string nom = lireTexte(dossier + "/comm");
    while (!nom.empty() && nom.back() == '\n')
        nom.pop_back();
    return entreGuillemets(nom) + ", processus " + std::to_string(pid) + " de l'utilisateur " +
           nomUtilisateur(processus.st_uid);
}
