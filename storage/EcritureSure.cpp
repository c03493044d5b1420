#include "storage/EcritureSure.h"

#include <dirent.h>
#include <stdio.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "platform/TexteAffichable.h"
#include "storage/AttributsFichier.h"
#include "storage/CSortie.h"
#include "storage/CopieCreuse.h"
#include "storage/Descripteur.h"
#include "storage/PartiesChemin.h"
#include "storage/RemplacementEnPlace.h"
#include "storage/ResolutionLiens.h"

namespace {

constexpr std::string_view kSuffixe = ".norvanel-tmp";
// As long as kSuffixe, so that a backup is named as its temporary was.
constexpr std::string_view kSuffixeSauvegarde = ".norvanel-sav";
static_assert(kSuffixeSauvegarde.size() == kSuffixe.size());
constexpr std::size_t kAleatoires = 6;
constexpr std::size_t kNomMax = 255;
constexpr std::string_view kCaracteres = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

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
        erreur = ecrireEntierement(appels_, fd_, o, n);
        return erreur == 0;
    }
    int copierTout(int fd, std::uint64_t debut, std::uint64_t n) override
    {
        erreur = copierCreux(fd, debut, n, fd_, appels_);
        return erreur;
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
CResultat<> cibleReelle(const std::string& chemin, std::string& cible)
{
    return resoudreCheminEcrit(chemin, cible);
}

// ".<name>." with <name> cut so that the whole name, suffix included, fits in 255 bytes.
std::string prefixeTemporaire(const std::string& nomCible, std::string_view suffixe = kSuffixe)
{
    const std::size_t place = kNomMax - 2 - kAleatoires - suffixe.size();
    return "." + nomCible.substr(0, place) + ".";
}

// Whether `nom` is ".<nomCible>.XXXXXX<suffixe>", XXXXXX six of our characters.
bool estNomAvecSuffixe(const std::string& nom, const std::string& nomCible, std::string_view suffixe)
{
    const std::string prefixe = prefixeTemporaire(nomCible, suffixe);
    if (nom.size() != prefixe.size() + kAleatoires + suffixe.size() || nom.compare(0, prefixe.size(), prefixe) != 0 ||
        nom.compare(nom.size() - suffixe.size(), suffixe.size(), suffixe) != 0)
        return false;
    for (std::size_t i = prefixe.size(); i < prefixe.size() + kAleatoires; ++i)
        if (kCaracteres.find(nom[i]) == std::string_view::npos)
            return false;
    return true;
}

// A cleaning that got the lock of a new temporary before its save did removes it: the
// save must then make another. Locked, and still named, it is the save's for good.
bool verrouillePourSoi(int fd, const SAppelsEcriture& appels)
{
    if (appels.verrouiller(fd, LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;  // no locks on this file system: no cleaning either
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_nlink > 0;
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

// Creates a new temporary beside the target with the permissions `mode` (the system
// applies the umask and the folder's default ACL), locked (see verrouillePourSoi);
// its path in `chemin`.
int creerTemporaire(const std::string& dossier, const std::string& nomCible, std::string& chemin, mode_t mode,
                    const SAppelsEcriture& appels)
{
    std::random_device alea;
    std::uniform_int_distribution<std::size_t> choix(0, kCaracteres.size() - 1);
    const std::string modele = dossier + "/" + modeleTemporaire(nomCible);
    const std::size_t debut = modele.size() - kSuffixe.size() - kAleatoires;
    for (int essai = 0; essai < 100; ++essai) {
        chemin = modele;
        for (std::size_t i = 0; i < kAleatoires; ++i)
            chemin[debut + i] = kCaracteres[choix(alea)];
        const int fd = ::open(chemin.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 && verrouillePourSoi(fd, appels))
            return fd;
        if (fd >= 0) {
            ::close(fd);
            continue;
        }
        if (errno != EEXIST) {
            chemin.clear();
            return -1;
        }
    }
    chemin.clear();
    errno = EEXIST;
    return -1;
}

// Whether the file may be saved over: the user may write it, and it has some write
// permission (root may write anything, but a file made read-only stays so).
int refusEcriture(const std::string& cible, const struct stat& ancien)
{
    if (::faccessat(AT_FDCWD, cible.c_str(), W_OK, AT_EACCESS) != 0)
        return errno;
    return (ancien.st_mode & 0222) == 0 ? EACCES : 0;
}

// Saves `remplir` to `cible` (its folder open as `d`, or -1).
std::optional<SEchecEcriture> ecrireVers(const std::string& cible, const std::optional<struct stat>& ancien, int d,
                                         const std::function<void(CSortie&)>& remplir, const SAppelsEcriture& appels,
                                         bool creer, SDescripteur* ecrit)
{
    auto echec = [](int erreur) { return SEchecEcriture{raisonSysteme(erreur)}; };
    const std::string dossier = dossierDe(cible);
    const std::string nomCible = nomDe(cible);
    // What replaces or backs up a file holds its content: readable by us alone until it
    // has taken the old file's owner and mode, never by whoever the umask lets in.
    const mode_t mode = ancien ? 0600 : 0666;
    STemporaire temporaire;
    SDescripteur f{creerTemporaire(dossier, nomCible, temporaire.chemin, mode, appels)};
    if (f.fd < 0)
        return echec(errno);
    // A rename would lose the old file's other names, or what the new file could not take.
    bool enPlace = false;
    if (ancien) {
        enPlace = ancien->st_nlink > 1 || !reporterAttributs(cible, *ancien, f.fd);
        if (!enPlace && ::fchmod(f.fd, ancien->st_mode & 07777) != 0)
            return echec(errno);
    }

    CSignalTailleRetenu retenu;
    CSortieFichier sortie(f.fd, appels);
    try {
        remplir(sortie);
    } catch (const std::bad_alloc&) {
        return echec(ENOMEM);
    }
    if (sortie.enEchec())
        return echec(sortie.erreur ? sortie.erreur : EIO);
    if (appels.synchroniser(f.fd) != 0)
        return echec(errno);

    if (enPlace) {
        // The backup is written as a temporary, which the cleaning may take if the save
        // is killed meanwhile; it gets its lasting name only once complete.
        STemporaire copie;
        SDescripteur s{creerTemporaire(dossier, nomCible, copie.chemin, mode, appels)};
        if (s.fd < 0)
            return echec(errno);
        const std::string sauvegarde = copie.chemin.substr(0, copie.chemin.size() - kSuffixe.size()) +
                                       std::string(kSuffixeSauvegarde);
        SFichiersEnPlace fichiers{f.fd, s.fd, copie.chemin, sauvegarde, d, ecrit};
        return remplacerEnPlace(cible, *ancien, fichiers, appels);
    }

    // The lock lives as long as a copy of the descriptor: held through the rename, so
    // that no cleaning takes the finished temporary between the close and the rename.
    SDescripteur verrou{::fcntl(f.fd, F_DUPFD_CLOEXEC, 0)};
    if (verrou.fd < 0)
        return echec(errno);
    if (::close(f.rendre()) != 0)
        return echec(errno);
    // A new file never replaces one another program made meanwhile.
    if (creer) {
        if (const int erreur = nommerSansRemplacer(temporaire.chemin, cible))
            return echec(erreur);
    } else if (appels.renommer(temporaire.chemin.c_str(), cible.c_str()) != 0) {
        return echec(errno);
    }
    temporaire.chemin.clear();
    if (ecrit)
        ecrit->fd = rouvrirEnLecture(verrou.fd);
    // The rename itself must reach the disk before we call the save done. EINVAL: a
    // file system that has nothing to sync for a folder.
    if (d >= 0 && appels.synchroniser(d) != 0 && errno != EINVAL)
        return SEchecEcriture{"le dossier n'a pas pu être synchronisé (" + raisonSysteme(errno) + ")", true};
    return std::nullopt;
}

} // namespace

int ecrireEntierement(const SAppelsEcriture& appels, int fd, const char* o, std::size_t n)
{
    // write() may take fewer bytes than asked (a disk filling up): go on with the
    // rest, and fail on the call that takes none.
    while (n > 0) {
        const ssize_t ecrits = appels.ecrire(fd, o, n);
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0)
            return ecrits < 0 ? errno : ENOSPC;
        o += ecrits;
        n -= static_cast<std::size_t>(ecrits);
    }
    return 0;
}

std::string texteEchecEcriture(const std::string& debut, const SEchecEcriture& echec)
{
    std::string texte = debut + " : " + echec.raison + ".";
    if (echec.dejaRemplace)
        texte += " Le nouveau contenu est en place mais pourrait ne pas survivre à une coupure de courant.";
    else if (!echec.sauvegarde.empty())
        texte += " Son contenu précédent est gardé dans " + entreGuillemets(echec.sauvegarde) + ".";
    else if (echec.precedentIntact)
        texte += " Le fichier précédent est intact.";
    return texte;
}

std::string modeleTemporaire(const std::string& nomCible)
{
    return prefixeTemporaire(nomCible) + std::string(kAleatoires, 'X') + std::string(kSuffixe);
}

int nommerSansRemplacer(const std::string& de, const std::string& vers)
{
    if (::renameat2(AT_FDCWD, de.c_str(), AT_FDCWD, vers.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without that kind of rename: a second name, then the first goes.
    if (::link(de.c_str(), vers.c_str()) != 0)
        return errno;
    ::unlink(de.c_str());
    return 0;
}

bool estTemporaireDe(const std::string& nom, const std::string& nomCible)
{
    return estNomAvecSuffixe(nom, nomCible, kSuffixe);
}

namespace {

// A save rewriting the file in place holds the lock of its backup to its end: that one
// is no leftover. One we may not open is named all the same.
bool tenueParUnEnregistrement(const std::string& sauvegarde)
{
    SDescripteur f{::open(sauvegarde.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    return f.fd >= 0 && ::flock(f.fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

} // namespace

std::vector<std::string> sauvegardesDe(const std::string& chemin)
{
    std::vector<std::string> r;
    std::string cible;
    if (!cibleReelle(chemin, cible))
        return r;
    const std::string dossier = dossierDe(cible);
    const std::string nomCible = nomDe(cible);
    DIR* flux = ::opendir(dossier.c_str());
    if (!flux)
        return r;
    while (const dirent* e = ::readdir(flux))
        if (estNomAvecSuffixe(e->d_name, nomCible, kSuffixeSauvegarde) && !tenueParUnEnregistrement(dossier + "/" + e->d_name))
            r.push_back(dossier + "/" + e->d_name);
    ::closedir(flux);
    std::sort(r.begin(), r.end());
    return r;
}

namespace {

std::optional<SEchecEcriture> ecrire(const std::string& chemin, const std::function<void(CSortie&)>& remplir,
                                     const SAppelsEcriture& appels, bool creer, SDescripteur* ecrit)
{
    std::string cible = chemin;
    struct stat present {};
    if (creer && ::lstat(chemin.c_str(), &present) == 0)
        return SEchecEcriture{raisonSysteme(EEXIST)};
    if (auto resolu = cibleReelle(chemin, cible); !resolu)
        return SEchecEcriture{resolu.raison()};
    std::optional<struct stat> ancien;
    if (struct stat st {}; ::stat(cible.c_str(), &st) == 0)
        ancien = st;
    auto resultat = [&]() -> std::optional<SEchecEcriture> {
        if (!ancien)
            return std::nullopt;
        // A rename over a device or a pipe would replace it with a plain file.
        if (!S_ISREG(ancien->st_mode))
            return SEchecEcriture{S_ISDIR(ancien->st_mode) ? raisonSysteme(EISDIR)
                                                           : std::string("ce n'est pas un fichier ordinaire")};
        if (const int erreur = refusEcriture(cible, *ancien))
            return SEchecEcriture{raisonSysteme(erreur)};
        return std::nullopt;
    }();
    if (!resultat) {
        // The folder is listed for leftovers and synced after the rename; a folder we
        // may write but not read allows neither, and the save goes on without them.
        SDescripteur d{::open(dossierDe(cible).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
        if (d.fd >= 0)
            nettoyerTemporaires(d.fd, nomDe(cible));
        resultat = ecrireVers(cible, ancien, d.fd, remplir, appels, creer, ecrit);
    }
    if (resultat && ancien && !resultat->dejaRemplace && resultat->sauvegarde.empty())
        resultat->precedentIntact = true;
    return resultat;
}

} // namespace

std::optional<SEchecEcriture> ecrireFichierSur(const std::string& chemin,
                                               const std::function<void(CSortie&)>& remplir,
                                               const SAppelsEcriture& appels, SDescripteur* ecrit)
{
    return ecrire(chemin, remplir, appels, false, ecrit);
}

std::optional<SEchecEcriture> creerFichierSur(const std::string& chemin, const std::function<void(CSortie&)>& remplir,
                                              SDescripteur* ecrit)
{
    return ecrire(chemin, remplir, SAppelsEcriture::systeme(), true, ecrit);
}
