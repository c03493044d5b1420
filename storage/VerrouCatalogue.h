#pragma once
// One program at a time changes a catalogue. The command-line tool holds this lock
// from the moment it reads a catalogue it will change until its save is done; the
// window program holds it while it saves. Readers take no lock.
//
// The lock is an flock() on a lock file beside the catalogue, ".<name>.norvanel-verrou",
// that only those who may write the catalogue may open: read and write for exactly the
// classes (owner, group, others) that may write it, in the catalogue's group, without an
// ACL. Anyone may lock a file he can read, so a lock on the catalogue itself would let
// every reader block its writers. The file is made with O_EXCL and O_NOFOLLOW; once
// locked, its name must still lead to it (the holder before us removes it, while
// holding it, when done), else it is taken again. In a sticky folder (/tmp), a lock
// file made by another user than us, the catalogue's owner or the folder's owner is
// not trusted.
//
// Where no lock file can be made or trusted (a folder we may not write), the catalogue
// itself is locked, as readers could then block us. A save renames a new file over
// the old one: a program that waited on the old file finds, once it holds the lock,
// that the name now leads to another file, and locks that one in turn. On a file
// system that keeps no locks, the catalogue is only opened.

#include <sys/stat.h>

#include "platform/AppelsEcriture.h"
#include "platform/Resultat.h"

#include <chrono>
#include <optional>
#include <string>

class CVerrouCatalogue {
public:
    CVerrouCatalogue() = default;
    ~CVerrouCatalogue();
    CVerrouCatalogue(const CVerrouCatalogue&) = delete;
    CVerrouCatalogue& operator=(const CVerrouCatalogue&) = delete;

    // Locks the catalogue `chemin` leads to, waiting at most `attente` for the program
    // that holds it. Once locked, success; otherwise why not, in French, naming the
    // holder when the system tells (`absent` tells a missing file apart). The lock is
    // taken through `appels.verrouiller`.
    CResultat<> prendre(const std::string& chemin, std::chrono::milliseconds attente = kAttenteParDefaut,
                        const SAppelsEcriture& appels = SAppelsEcriture::systeme());
    void rendre();
    bool tenu() const { return fd_ >= 0; }
    bool absent() const { return absent_; }
    // The locked catalogue, open for reading at its start.
    int descripteur() const { return fd_; }

    // The lock file of the catalogue `cible` (a path without links).
    static std::string cheminFichierVerrou(const std::string& cible);

    static constexpr std::chrono::milliseconds kAttenteParDefaut{5000};

private:
    enum class EEssai { Tenu, Occupe, Impossible, Echec };
    // Echec: the lock file could not be locked for another reason than a holder; errno
    // says why.
    EEssai essayerFichierVerrou(const std::string& cible, const struct stat& catalogue, const SAppelsEcriture& appels);

    int fd_ = -1;
    int verrou_ = -1;          // the lock file, or -1 when the catalogue itself is locked
    std::string cheminVerrou_;
    // The last file found locked by another, to name its holder; or a lock file we may
    // not open at all.
    struct SOccupant {
        dev_t peripherique = 0;
        ino_t inode = 0;
        std::string inaccessible;  // its path then
    };
    std::optional<SOccupant> occupant_;
    std::string texteOccupe(std::chrono::milliseconds attente) const;
    bool absent_ = false;
};
