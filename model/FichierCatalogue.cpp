#include "model/FichierCatalogue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "model/CArchive.h"
#include "model/CDoc.h"
#include "model/CSortie.h"

namespace {

// Why a system call failed, in French.
std::string raison(int erreur)
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

std::string guillemets(const std::string& chemin)
{
    return "« " + chemin + " »";
}

// A file descriptor closed on every path out.
struct SDescripteur {
    int fd = -1;
    ~SDescripteur()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

class CSortieFichier : public CSortie {
public:
    explicit CSortieFichier(int fd) : fd_(fd) {}
    int erreur = 0;

protected:
    bool ecrireTout(const char* o, std::size_t n) override
    {
        // write() may take fewer bytes than asked (a disk filling up): go on with the
        // rest, and fail on the call that takes none.
        while (n > 0) {
            const ssize_t ecrits = ::write(fd_, o, n);
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
};

class CEntreeFichier : public CEntree {
public:
    explicit CEntreeFichier(int fd) : fd_(fd) {}
    long lire(char* o, std::size_t n) override
    {
        for (;;) {
            const ssize_t lus = ::read(fd_, o, n);
            if (lus < 0 && errno == EINTR)
                continue;
            return static_cast<long>(lus);
        }
    }

private:
    int fd_;
};

// Reads the records from `ar` into `doc`: the problem found, or nullopt.
std::optional<std::string> lireDepuis(CDoc& doc, CArchive& ar)
{
    try {
        doc.serialiser(ar);
    } catch (const CErreurLecture& e) {
        return std::string(e.what()) + " (à l'octet " + std::to_string(e.position) + ")";
    } catch (const std::bad_alloc&) {
        return std::string("la mémoire est insuffisante");
    }
    return std::nullopt;
}

std::optional<std::string> lireFichier(CDoc& doc, const std::string& chemin)
{
    SDescripteur f{::open(chemin.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0)
        return raison(errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        return raison(errno);
    if (!S_ISREG(st.st_mode))
        return std::string("ce n'est pas un fichier ordinaire");
    CEntreeFichier entree(f.fd);
    CArchive ar(entree, static_cast<std::uint64_t>(st.st_size));
    return lireDepuis(doc, ar);
}

// The file a save must replace: the target of a symbolic link, so the link stays.
std::optional<std::string> cibleReelle(const std::string& chemin, std::string& cible)
{
    struct stat st {};
    if (::lstat(chemin.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* reel = ::realpath(chemin.c_str(), nullptr);
        if (!reel)
            return "le lien symbolique ne mène à aucun fichier (" + raison(errno) + ")";
        cible = reel;
        std::free(reel);
    } else {
        cible = chemin;
    }
    return std::nullopt;
}

mode_t modeDuNouveauFichier(const std::string& cible)
{
    struct stat st {};
    if (::stat(cible.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}

std::string dossierDe(const std::string& chemin)
{
    const std::size_t sep = chemin.rfind('/');
    if (sep == std::string::npos)
        return ".";
    return sep == 0 ? "/" : chemin.substr(0, sep);
}

} // namespace

std::optional<std::string> lireCatalogue(CDoc& doc, std::string_view octets)
{
    CArchive ar(octets);
    return lireDepuis(doc, ar);
}

std::string ecrireCatalogue(CDoc& doc)
{
    CSortieMemoire sortie;
    {
        CArchive ar(sortie);
        doc.serialiser(ar);
        ar.vider();
    }
    return std::move(sortie.octets);
}

std::optional<std::string> chargerCatalogue(CDoc& doc, const std::string& chemin)
{
    const std::optional<std::string> probleme = lireFichier(doc, chemin);
    if (probleme)
        return "Impossible d'ouvrir le catalogue " + guillemets(chemin) + " : " + *probleme + ".";
    doc.chemin = chemin;
    doc.definirModifie(false);
    doc.notifierVues();
    return std::nullopt;
}

std::optional<std::string> enregistrerCatalogue(CDoc& doc, const std::string& chemin)
{
    auto echec = [&chemin](const std::string& pourquoi) {
        return "Impossible d'enregistrer le catalogue " + guillemets(chemin) + " : " + pourquoi +
               ". Le fichier précédent est intact.";
    };
    std::string cible;
    if (auto p = cibleReelle(chemin, cible))
        return echec(*p);
    const std::string dossier = dossierDe(cible);
    const std::size_t sep = cible.rfind('/');
    std::string temporaire = dossier + "/." + cible.substr(sep == std::string::npos ? 0 : sep + 1) + ".XXXXXX";

    SDescripteur f{::mkostemp(temporaire.data(), O_CLOEXEC)};
    if (f.fd < 0)
        return echec(raison(errno));
    auto abandon = [&](int erreur) {
        ::unlink(temporaire.c_str());
        return echec(raison(erreur));
    };
    if (::fchmod(f.fd, modeDuNouveauFichier(cible)) != 0)
        return abandon(errno);

    CSortieFichier sortie(f.fd);
    bool ecrit = false;
    try {
        CArchive ar(sortie);
        doc.serialiser(ar);
        ecrit = ar.vider();
    } catch (const std::bad_alloc&) {
        return abandon(ENOMEM);
    }
    if (!ecrit)
        return abandon(sortie.erreur ? sortie.erreur : EIO);
    if (::fsync(f.fd) != 0)
        return abandon(errno);
    const int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0)
        return abandon(errno);
    if (::rename(temporaire.c_str(), cible.c_str()) != 0)
        return abandon(errno);
    // The rename itself must reach the disk before we call the save done.
    SDescripteur d{::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (d.fd >= 0)
        ::fsync(d.fd);
    doc.chemin = chemin;
    doc.definirModifie(false);
    return std::nullopt;
}
