#include "model/EcritureSure.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <vector>

#include "model/CSortie.h"

namespace {

constexpr std::string_view kSuffixe = ".norvanel-tmp";
constexpr std::size_t kAleatoires = 6;
constexpr std::size_t kNomMax = 255;
constexpr std::string_view kCaracteres = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A file descriptor closed on every path out.
struct SDescripteur {
    int fd = -1;
    ~SDescripteur()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int rendre()
    {
        const int r = fd;
        fd = -1;
        return r;
    }
};

// The temporary file, removed on every path out unless it was renamed.
struct STemporaire {
    std::string chemin;
    ~STemporaire()
    {
        if (!chemin.empty())
            ::unlink(chemin.c_str());
    }
};

class CSortieFichier : public CSortie {
public:
    CSortieFichier(int fd, const SAppelsEcriture& appels) : fd_(fd), appels_(appels) {}
    int erreur = 0;

protected:
    bool ecrireTout(const char* o, std::size_t n) override
    {
        // write() may take fewer bytes than asked (a disk filling up): go on with the
        // rest, and fail on the call that takes none.
        while (n > 0) {
            const ssize_t ecrits = appels_.ecrire(fd_, o, n);
            if (ecrits < 0 && errno == EINTR)
                continue;
            if (ecrits <= 0) {
                erreur = ecrits < 0 ? errno : ENOSPC;
                return false;
            }
            o += ecrits;
            n -= static_cast<std::size_t>(ecrits);
        }
        return true;
    }

private:
    int fd_;
    const SAppelsEcriture& appels_;
};

// A write past the file-size limit also raises SIGXFSZ, which kills the program by
// default. Held back for this thread while the save writes, so that the write fails
// with EFBIG instead; a signal raised meanwhile is taken out before it is let through.
class CSignalTailleRetenu {
public:
    CSignalTailleRetenu()
    {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &signal_, &avant_);
        sigset_t attente;
        sigpending(&attente);
        dejaEnAttente_ = sigismember(&attente, SIGXFSZ) == 1;
    }
    ~CSignalTailleRetenu()
    {
        sigset_t attente;
        sigpending(&attente);
        if (!dejaEnAttente_ && sigismember(&attente, SIGXFSZ) == 1) {
            const timespec aussitot{};
            sigtimedwait(&signal_, nullptr, &aussitot);
        }
        pthread_sigmask(SIG_SETMASK, &avant_, nullptr);
    }
    CSignalTailleRetenu(const CSignalTailleRetenu&) = delete;
    CSignalTailleRetenu& operator=(const CSignalTailleRetenu&) = delete;

private:
    sigset_t signal_{};
    sigset_t avant_{};
    bool dejaEnAttente_ = false;
};

// The file a save must replace: the target of a symbolic link, so the link stays.
std::optional<std::string> cibleReelle(const std::string& chemin, std::string& cible)
{
    struct stat st {};
    if (::lstat(chemin.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* reel = ::realpath(chemin.c_str(), nullptr);
        if (!reel)
            return "le lien symbolique ne mène à aucun fichier (" + raisonSysteme(errno) + ")";
        cible = reel;
        std::free(reel);
    } else {
        cible = chemin;
    }
    return std::nullopt;
}

std::string dossierDe(const std::string& chemin)
{
    const std::size_t sep = chemin.rfind('/');
    if (sep == std::string::npos)
        return ".";
    return sep == 0 ? "/" : chemin.substr(0, sep);
}

std::string nomDe(const std::string& chemin)
{
    const std::size_t sep = chemin.rfind('/');
    return sep == std::string::npos ? chemin : chemin.substr(sep + 1);
}

// ".<name>." with <name> cut so that the whole temporary name fits in 255 bytes.
std::string prefixeTemporaire(const std::string& nomCible)
{
    const std::size_t place = kNomMax - 2 - kAleatoires - kSuffixe.size();
    return "." + nomCible.substr(0, place) + ".";
}

// Removes `nom` if it is a leftover of a killed save: a regular file of ours, with no
// other link, that no save in progress holds locked.
void supprimerSiAbandonne(int dossier, const char* nom)
{
    struct stat avant {};
    if (::fstatat(dossier, nom, &avant, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(avant.st_mode) ||
        avant.st_nlink != 1 || avant.st_uid != ::geteuid())
        return;
    SDescripteur f{::openat(dossier, nom, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (f.fd < 0 || ::flock(f.fd, LOCK_EX | LOCK_NB) != 0)
        return;
    // Still the same file under that name, now that it is ours.
    struct stat ouvert {}, maintenant {};
    if (::fstat(f.fd, &ouvert) != 0 || ::fstatat(dossier, nom, &maintenant, AT_SYMLINK_NOFOLLOW) != 0 ||
        ouvert.st_dev != avant.st_dev || ouvert.st_ino != avant.st_ino || maintenant.st_dev != avant.st_dev ||
        maintenant.st_ino != avant.st_ino)
        return;
    ::unlinkat(dossier, nom, 0);
}

void nettoyerTemporaires(int dossier, const std::string& nomCible)
{
    const int copie = ::fcntl(dossier, F_DUPFD_CLOEXEC, 0);  // closedir() closes it
    DIR* flux = copie < 0 ? nullptr : ::fdopendir(copie);
    if (!flux) {
        if (copie >= 0)
            ::close(copie);
        return;
    }
    std::vector<std::string> restes;
    while (const dirent* e = ::readdir(flux))
        if (estTemporaireDe(e->d_name, nomCible))
            restes.emplace_back(e->d_name);
    ::closedir(flux);
    for (const std::string& nom : restes)
        supprimerSiAbandonne(dossier, nom.c_str());
}

// Creates a new temporary beside the target with the permissions a new file gets (the
// system applies the umask and the folder's default ACL); its path in `chemin`.
int creerTemporaire(const std::string& dossier, const std::string& nomCible, std::string& chemin)
{
    std::random_device alea;
    std::uniform_int_distribution<std::size_t> choix(0, kCaracteres.size() - 1);
    const std::string modele = dossier + "/" + modeleTemporaire(nomCible);
    const std::size_t debut = modele.size() - kSuffixe.size() - kAleatoires;
    for (int essai = 0; essai < 100; ++essai) {
        chemin = modele;
        for (std::size_t i = 0; i < kAleatoires; ++i)
            chemin[debut + i] = kCaracteres[choix(alea)];
        const int fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            if (fd < 0)
                chemin.clear();
            return fd;
        }
    }
    chemin.clear();
    errno = EEXIST;
    return -1;
}

} // namespace

SAppelsEcriture SAppelsEcriture::systeme()
{
    return {[](int fd, const void* o, std::size_t n) { return ::write(fd, o, n); },
            [](int fd) { return ::fsync(fd); }};
}

std::string raisonSysteme(int erreur)
{
    switch (erreur) {
    case ENOSPC: return "le disque est plein";
    case EDQUOT: return "le quota d'espace disque est dépassé";
    case EFBIG: return "le fichier dépasse la taille permise";
    case EACCES:
    case EPERM: return "l'accès est refusé";
    case EROFS: return "le support est en lecture seule";
    case ENOENT: return "le fichier ou son dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "c'est un dossier";
    case ENAMETOOLONG: return "le chemin est trop long";
    case EIO: return "erreur de lecture ou d'écriture sur le support";
    case ENOMEM: return "la mémoire est insuffisante";
    case ELOOP: return "trop de liens symboliques";
    }
    return "erreur système " + std::to_string(erreur) + " (" + std::strerror(erreur) + ")";
}

std::string modeleTemporaire(const std::string& nomCible)
{
    return prefixeTemporaire(nomCible) + std::string(kAleatoires, 'X') + std::string(kSuffixe);
}

bool estTemporaireDe(const std::string& nom, const std::string& nomCible)
{
    const std::string prefixe = prefixeTemporaire(nomCible);
    if (nom.size() != prefixe.size() + kAleatoires + kSuffixe.size() || nom.compare(0, prefixe.size(), prefixe) != 0 ||
        nom.compare(nom.size() - kSuffixe.size(), kSuffixe.size(), kSuffixe) != 0)
        return false;
    for (std::size_t i = prefixe.size(); i < prefixe.size() + kAleatoires; ++i)
        if (kCaracteres.find(nom[i]) == std::string_view::npos)
            return false;
    return true;
}

std::optional<SEchecEcriture> ecrireFichierSur(const std::string& chemin,
                                               const std::function<void(CSortie&)>& remplir,
                                               const SAppelsEcriture& appels)
{
    auto echec = [](int erreur) { return SEchecEcriture{raisonSysteme(erreur)}; };
    std::string cible;
    if (auto p = cibleReelle(chemin, cible))
        return SEchecEcriture{*p};
    struct stat ancien {};
    const bool remplace = ::stat(cible.c_str(), &ancien) == 0;
    // A rename over a device or a pipe would replace it with a plain file.
    if (remplace && !S_ISREG(ancien.st_mode))
        return S_ISDIR(ancien.st_mode) ? echec(EISDIR) : SEchecEcriture{"ce n'est pas un fichier ordinaire"};
    const std::string dossier = dossierDe(cible);
    const std::string nomCible = nomDe(cible);

    // The folder is listed for leftovers and synced after the rename; a folder we may
    // write but not read allows neither, and the save goes on without them.
    SDescripteur d{::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (d.fd >= 0)
        nettoyerTemporaires(d.fd, nomCible);

    STemporaire temporaire;
    SDescripteur f{creerTemporaire(dossier, nomCible, temporaire.chemin)};
    if (f.fd < 0)
        return echec(errno);
    // Tells the cleaning of a save running beside this one that this file is alive.
    ::flock(f.fd, LOCK_EX | LOCK_NB);
    if (remplace) {
        // Owner first: changing it clears the set-user-ID bits that the mode then restores.
        // Only root may give a file away; anyone else's new file simply stays theirs.
        if ((ancien.st_uid != ::geteuid() || ancien.st_gid != ::getegid()) &&
            ::fchown(f.fd, ancien.st_uid, ancien.st_gid) != 0) {
        }
        if (::fchmod(f.fd, ancien.st_mode & 07777) != 0)
            return echec(errno);
    }

    CSortieFichier sortie(f.fd, appels);
    {
        CSignalTailleRetenu retenu;
        try {
            remplir(sortie);
        } catch (const std::bad_alloc&) {
            return echec(ENOMEM);
        }
    }
    if (sortie.enEchec())
        return echec(sortie.erreur ? sortie.erreur : EIO);
    if (appels.synchroniser(f.fd) != 0)
        return echec(errno);
    if (::close(f.rendre()) != 0)
        return echec(errno);
    if (::rename(temporaire.chemin.c_str(), cible.c_str()) != 0)
        return echec(errno);
    temporaire.chemin.clear();
    // The rename itself must reach the disk before we call the save done. EINVAL: a
    // file system that has nothing to sync for a folder.
    if (d.fd >= 0 && appels.synchroniser(d.fd) != 0 && errno != EINVAL)
        return SEchecEcriture{"le dossier n'a pas pu être synchronisé (" + raisonSysteme(errno) + ")", true};
    return std::nullopt;
}
