#include "storage/VerrouCatalogue.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>
#include <vector>

#include "platform/IdentiteFichier.h"
#include "platform/RaisonSysteme.h"
#include "platform/TexteAffichable.h"
#include "storage/DetenteurVerrou.h"
#include "storage/FichierOrdinaire.h"
#include "storage/PartiesChemin.h"
#include "storage/ResolutionLiens.h"

namespace {

constexpr std::string_view kSuffixeVerrou = ".norvanel-verrou";
constexpr std::size_t kNomMax = 255;

// flock() on NFS is a lock on the whole file that needs it open for writing.
bool verrouiller(int& fd, const std::string& chemin, const SAppelsEcriture& appels)
{
    if (appels.verrouiller(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (errno != EBADF)
        return false;
    const int ecriture = ::open(chemin.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (ecriture < 0)
        return false;
    ::close(fd);
    fd = ecriture;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        errno = EINVAL;  // no longer the regular file looked at: given up below
        return false;
    }
    const int drapeaux = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK);
    return appels.verrouiller(fd, LOCK_EX | LOCK_NB) == 0;
}

// A file system that keeps no locks (NFS without its lock service): nothing to wait for.
bool sansVerrous(int erreur)
{
    return erreur == ENOLCK || erreur == EOPNOTSUPP;
}

// Read and write for each class that may write the catalogue, nothing for the others.
mode_t modeVerrou(mode_t catalogue, bool memeGroupe)
{
    mode_t m = 0;
    if (catalogue & S_IWUSR)
        m |= S_IRUSR | S_IWUSR;
    if ((catalogue & S_IWGRP) && memeGroupe)
        m |= S_IRGRP | S_IWGRP;
    if (catalogue & S_IWOTH)
        m |= S_IROTH | S_IWOTH;
    return m;
}

// What we just made gets the catalogue's writers as its only users: its group, no ACL
// inherited from the folder, the mode set whatever the umask.
void donnerAuxEcrivains(int fd, const struct stat& catalogue)
{
    (void)::fchown(fd, static_cast<uid_t>(-1), catalogue.st_gid);
    (void)::fremovexattr(fd, "system.posix_acl_access");
    struct stat st {};
    const bool memeGroupe = ::fstat(fd, &st) == 0 && st.st_gid == catalogue.st_gid;
    (void)::fchmod(fd, modeVerrou(catalogue.st_mode, memeGroupe));
}

bool membreDuGroupe(uid_t uid, gid_t gid)
{
    std::vector<char> tampon(16384);
    struct passwd pw {}, *trouve = nullptr;
    if (::getpwuid_r(uid, &pw, tampon.data(), tampon.size(), &trouve) != 0 || !trouve)
        return false;
    if (trouve->pw_gid == gid)
        return true;
    int n = 64;
    std::vector<gid_t> groupes(static_cast<std::size_t>(n));
    if (::getgrouplist(trouve->pw_name, trouve->pw_gid, groupes.data(), &n) < 0) {
        groupes.resize(static_cast<std::size_t>(n));
        if (::getgrouplist(trouve->pw_name, trouve->pw_gid, groupes.data(), &n) < 0)
            return false;
    }
    groupes.resize(static_cast<std::size_t>(n));
    return std::find(groupes.begin(), groupes.end(), gid) != groupes.end();
}

// In a sticky folder anyone may make that name: only a file made by one who may write
// the catalogue (us, its owner, the folder's owner, a member of its group when the
// group may write it, anyone when everyone may) is the lock of its writers.
bool digneDeConfiance(const struct stat& verrou, const struct stat& dossier, const struct stat& catalogue)
{
    if (!S_ISREG(verrou.st_mode))
        return false;
    if (!(dossier.st_mode & S_ISVTX) || (catalogue.st_mode & S_IWOTH))
        return true;
    const uid_t auteur = verrou.st_uid;
    if (auteur == ::geteuid() || auteur == catalogue.st_uid || auteur == dossier.st_uid || auteur == 0)
        return true;
    return (catalogue.st_mode & S_IWGRP) && verrou.st_gid == catalogue.st_gid && membreDuGroupe(auteur, catalogue.st_gid);
}

bool memeInode(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

CVerrouCatalogue::~CVerrouCatalogue()
{
    rendre();
}

std::string CVerrouCatalogue::cheminFichierVerrou(const std::string& cible)
{
    const std::string nom = nomDe(cible);
    const std::size_t place = kNomMax - 1 - kSuffixeVerrou.size();
    return dossierDe(cible) + "/." + nom.substr(0, place) + std::string(kSuffixeVerrou);
}

void CVerrouCatalogue::rendre()
{
    if (verrou_ >= 0) {
        // Removed while held, and only if the name still leads to it: a program that
        // waited on it then finds the name gone and makes its own.
        struct stat tenu {}, nomme {};
        if (::fstat(verrou_, &tenu) == 0 && ::lstat(cheminVerrou_.c_str(), &nomme) == 0 && memeInode(tenu, nomme))
            ::unlink(cheminVerrou_.c_str());
        ::close(verrou_);
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = verrou_ = -1;
}

std::string CVerrouCatalogue::texteOccupe(std::chrono::milliseconds attente) const
{
    const std::string duree = "attente de " + std::to_string((attente.count() + 999) / 1000) + " s dépassée";
    const auto qui = occupant_ ? detenteurVerrou(occupant_->peripherique, occupant_->inode) : std::nullopt;
    if (qui)
        return "un autre programme est en train de le modifier (" + *qui + " ; " + duree + ")";
    if (occupant_ && !occupant_->inaccessible.empty())
        return "le fichier de verrou " + entreGuillemets(occupant_->inaccessible) +
               " ne vous est pas accessible, et aucun programme visible ne le tient : s'il reste d'un programme "
               "arrêté, son propriétaire peut le supprimer (" + duree + ")";
    return "un autre programme est en train de le modifier (" + duree + ")";
}

CVerrouCatalogue::EEssai CVerrouCatalogue::essayerFichierVerrou(const std::string& cible, const struct stat& catalogue,
                                                                 const SAppelsEcriture& appels)
{
    const std::string chemin = cheminFichierVerrou(cible);
    struct stat dossier {};
    if (::stat(dossierDe(cible).c_str(), &dossier) != 0)
        return EEssai::Impossible;
    int fd = ::open(chemin.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(chemin.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0)
            return errno == EEXIST ? EEssai::Occupe : EEssai::Impossible;
        donnerAuxEcrivains(fd, catalogue);
    }
    struct stat st {};
    if (fd < 0) {
        // One we may not open: another writer's, held (it goes when released), or one
        // we must not trust.
        if (errno == EACCES && ::lstat(chemin.c_str(), &st) == 0 && digneDeConfiance(st, dossier, catalogue)) {
            occupant_ = SOccupant{st.st_dev, st.st_ino, chemin};
            return EEssai::Occupe;
        }
        return errno == ENOENT ? EEssai::Occupe : EEssai::Impossible;
    }
    if (::fstat(fd, &st) != 0 || !digneDeConfiance(st, dossier, catalogue)) {
        ::close(fd);
        return EEssai::Impossible;
    }
    if (appels.verrouiller(fd, LOCK_EX | LOCK_NB) != 0 && !sansVerrous(errno)) {
        const int erreur = errno;
        ::close(fd);
        // Only a holder makes us wait: a failing disk or share is said as it is.
        if (erreur != EWOULDBLOCK && erreur != EINTR) {
            errno = erreur;
            return EEssai::Echec;
        }
        occupant_ = SOccupant{st.st_dev, st.st_ino, {}};
        return EEssai::Occupe;
    }
    // Its holder before us may have removed it meanwhile: then it locks nothing.
    struct stat nomme {};
    if (::lstat(chemin.c_str(), &nomme) != 0 || !memeInode(st, nomme)) {
        ::close(fd);
        return EEssai::Occupe;
    }
    verrou_ = fd;
    cheminVerrou_ = chemin;
    return EEssai::Tenu;
}

CResultat<> CVerrouCatalogue::prendre(const std::string& chemin, std::chrono::milliseconds attente,
                                      const SAppelsEcriture& appels)
{
    rendre();
    absent_ = false;
    std::string cible;
    if (auto resolu = resoudreCheminEcrit(chemin, cible); !resolu)
        return resolu;
    const auto limite = std::chrono::steady_clock::now() + attente;
    std::chrono::milliseconds pause{1};
    auto patienter = [&]() {
        if (std::chrono::steady_clock::now() >= limite)
            return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(25));
        return true;
    };
    occupant_.reset();
    auto occupe = [&]() { return echec(texteOccupe(attente)); };
    for (;;) {
        SOuvertureLecture ouvert = ouvrirFichierOrdinaire(cible);
        if (ouvert.probleme) {
            rendre();
            absent_ = ouvert.absent;
            return echec(*ouvert.probleme);
        }
        int fd = ouvert.fd;
        struct stat catalogue {};
        const EEssai essai =
            ::fstat(fd, &catalogue) == 0 ? essayerFichierVerrou(cible, catalogue, appels) : EEssai::Impossible;
        if (essai == EEssai::Echec) {
            const int erreur = errno;
            ::close(fd);
            return echec(raisonSysteme(erreur));
        }
        if (essai == EEssai::Tenu) {
            // Opened before the lock was ours: the previous holder may have renamed a
            // new catalogue over it since. Opened again under the lock.
            ::close(fd);
            ouvert = ouvrirFichierOrdinaire(cible);
            if (ouvert.probleme) {
                rendre();
                absent_ = ouvert.absent;
                return echec(*ouvert.probleme);
            }
            fd_ = ouvert.fd;
            return {};
        }
        if (essai == EEssai::Occupe) {
            ::close(fd);
            if (!patienter())
                return occupe();
            continue;
        }
        // No lock file here: the catalogue itself.
        if (verrouiller(fd, cible, appels) || sansVerrous(errno)) {
            // Still the file the name leads to, or a save replaced it while we waited:
            // then the new one is locked in turn.
            const auto tenu = identiteDescripteur(fd);
            const auto nomme = identiteFichier(cible);
            if (tenu && nomme && tenu->memeFichier(*nomme)) {
                fd_ = fd;
                return {};
            }
            ::close(fd);
            if (std::chrono::steady_clock::now() < limite)
                continue;
            return occupe();
        }
        const int erreur = errno;
        if (erreur != EWOULDBLOCK && erreur != EINTR) {
            ::close(fd);
            return echec(raisonSysteme(erreur));
        }
        struct stat tenu {};
        if (::fstat(fd, &tenu) == 0)
            occupant_ = SOccupant{tenu.st_dev, tenu.st_ino, {}};
        ::close(fd);
        if (!patienter())
            return occupe();
    }
}
