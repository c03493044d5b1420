// A read-only FUSE mirror of a folder that waits a set time in each lookup, getattr and
// readdir, as a disk far away on the network would. Nothing is cached by the kernel
// (entry, attribute and negative timeouts at 0), and the loop runs on many threads, so
// that requests made in parallel wait in parallel.
// Usage: miroir_lent [--latence-us=N] SOURCE POINT_DE_MONTAGE [options de FUSE: -f, -o ...]

#define FUSE_USE_VERSION 312

#include <fuse.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

struct SReglages {
    unsigned latenceUs = 200;
    std::string source;  // copied: fuse_opt_parse frees the arguments it drops
    bool pointDeMontage = false;
};

SReglages g_reglages;
int g_racine = -1;  // the source folder, every path is opened relative to it

// The time of one round trip to the disk.
void attendre()
{
    if (g_reglages.latenceUs == 0)
        return;
    const timespec duree{time_t(g_reglages.latenceUs / 1000000), long(g_reglages.latenceUs % 1000000) * 1000};
    timespec reste{};
    for (timespec t = duree; clock_nanosleep(CLOCK_MONOTONIC, 0, &t, &reste) == EINTR; t = reste) {
    }
}

// "/a/b" as the source-relative "a/b"; the root as ".".
const char* relatif(const char* chemin)
{
    while (*chemin == '/')
        ++chemin;
    return *chemin ? chemin : ".";
}

void* initialiser(fuse_conn_info* connexion, fuse_config* config)
{
    config->use_ino = 1;
    config->attr_timeout = 0;
    config->entry_timeout = 0;
    config->negative_timeout = 0;
    config->kernel_cache = 0;
    // Plain readdir: each entry then costs its own lookup, as on a network disk without
    // that extension.
    connexion->want &= ~(FUSE_CAP_READDIRPLUS | FUSE_CAP_READDIRPLUS_AUTO);
    return nullptr;
}

int lireAttributs(const char* chemin, struct stat* etat, fuse_file_info*)
{
    attendre();
    return fstatat(g_racine, relatif(chemin), etat, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
}

int lireLien(const char* chemin, char* tampon, size_t taille)
{
    if (taille == 0)
        return -EINVAL;
    const ssize_t n = readlinkat(g_racine, relatif(chemin), tampon, taille - 1);
    if (n < 0)
        return -errno;
    tampon[n] = 0;
    return 0;
}

int ouvrir(const char* chemin, fuse_file_info* fichier)
{
    if ((fichier->flags & O_ACCMODE) != O_RDONLY)
        return -EROFS;
    const int fd = openat(g_racine, relatif(chemin), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    fichier->fh = std::uint64_t(fd);
    return 0;
}

int lire(const char*, char* tampon, size_t taille, off_t position, fuse_file_info* fichier)
{
    const ssize_t n = pread(int(fichier->fh), tampon, taille, position);
    return n < 0 ? -errno : int(n);
}

int fermer(const char*, fuse_file_info* fichier)
{
    close(int(fichier->fh));
    return 0;
}

int lireVolume(const char*, struct statvfs* volume)
{
    return fstatvfs(g_racine, volume) == 0 ? 0 : -errno;
}

// An open folder: its stream, and the offset of the entry read but not yet handed over.
struct SDossierOuvert {
    DIR* flux = nullptr;
    dirent* entree = nullptr;
    off_t position = 0;
};

int ouvrirDossier(const char* chemin, fuse_file_info* fichier)
{
    const int fd = openat(g_racine, relatif(chemin), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    DIR* flux = fdopendir(fd);
    if (flux == nullptr) {
        const int erreur = errno;
        close(fd);
        return -erreur;
    }
    fichier->fh = reinterpret_cast<std::uint64_t>(new SDossierOuvert{flux});
    return 0;
}

// The entries from `position` on, in the source's own order; each entry carries the
// offset of the next one (telldir), so a later request resumes where this one stopped.
int lireDossier(const char*, void* tampon, fuse_fill_dir_t remplir, off_t position, fuse_file_info* fichier,
                fuse_readdir_flags)
{
    attendre();
    auto* d = reinterpret_cast<SDossierOuvert*>(fichier->fh);
    if (position != d->position) {
        seekdir(d->flux, position);
        d->entree = nullptr;
        d->position = position;
    }
    for (;;) {
        if (d->entree == nullptr) {
            errno = 0;
            d->entree = readdir(d->flux);
            if (d->entree == nullptr)
                return errno == 0 ? 0 : -errno;
        }
        struct stat etat {};
        etat.st_ino = d->entree->d_ino;
        etat.st_mode = DTTOIF(d->entree->d_type);
        const off_t suivante = telldir(d->flux);
        if (remplir(tampon, d->entree->d_name, &etat, suivante, fuse_fill_dir_flags(0)) != 0)
            return 0;  // full: this entry goes first in the next request
        d->entree = nullptr;
        d->position = suivante;
    }
}

int fermerDossier(const char*, fuse_file_info* fichier)
{
    auto* d = reinterpret_cast<SDossierOuvert*>(fichier->fh);
    closedir(d->flux);
    delete d;
    return 0;
}

fuse_operations operations()
{
    fuse_operations o{};
    o.init = initialiser;
    o.getattr = lireAttributs;
    o.readlink = lireLien;
    o.open = ouvrir;
    o.read = lire;
    o.release = fermer;
    o.statfs = lireVolume;
    o.opendir = ouvrirDossier;
    o.readdir = lireDossier;
    o.releasedir = fermerDossier;
    return o;
}

const fuse_opt kOptions[] = {{"--latence-us=%u", offsetof(SReglages, latenceUs), 0}, FUSE_OPT_END};

// The first plain argument is the source (kept out of FUSE's), the second the mount point.
int trierArgument(void* donnees, const char* argument, int cle, fuse_args*)
{
    auto* reglages = static_cast<SReglages*>(donnees);
    if (cle != FUSE_OPT_KEY_NONOPT)
        return 1;
    if (reglages->source.empty()) {
        reglages->source = argument;
        return 0;
    }
    reglages->pointDeMontage = true;
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Enough workers for every request a parallel scan has in flight; FUSE's own -o
    // options given after these take precedence.
    fuse_args arguments = FUSE_ARGS_INIT(0, nullptr);
    fuse_opt_add_arg(&arguments, argv[0]);
    fuse_opt_add_arg(&arguments, "-oro,default_permissions,fsname=miroir_lent,max_threads=64,max_idle_threads=64");
    for (int i = 1; i < argc; ++i)
        fuse_opt_add_arg(&arguments, argv[i]);
    if (fuse_opt_parse(&arguments, &g_reglages, kOptions, trierArgument) != 0)
        return 2;
    if (g_reglages.source.empty() || !g_reglages.pointDeMontage) {
        std::fprintf(stderr, "usage : miroir_lent [--latence-us=N] SOURCE POINT_DE_MONTAGE [-f] [-o options]\n");
        return 2;
    }
    if (g_reglages.latenceUs > 10000000) {
        std::fprintf(stderr, "miroir_lent : latence de %u µs hors limites (10 s au plus)\n", g_reglages.latenceUs);
        return 2;
    }
    g_racine = open(g_reglages.source.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (g_racine < 0) {
        std::fprintf(stderr, "miroir_lent : impossible d'ouvrir %s : %s\n", g_reglages.source.c_str(),
                     std::strerror(errno));
        return 1;
    }
    // Sleeps of a few hundred microseconds: the default 50 µs of slack would add a quarter.
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    const fuse_operations o = operations();
    const int resultat = fuse_main(arguments.argc, arguments.argv, &o, nullptr);
    fuse_opt_free_args(&arguments);
    return resultat;
}
