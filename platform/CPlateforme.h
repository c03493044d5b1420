#pragma once
// Everything the core asks of the operating system goes through CPlateforme, so the
// catalogue logic runs the same against the real system (CPlateformeLinux) and
// against the scripted fake used by the tests (CPlateformeFactice).
//
// Texts are UTF-8. Paths are never truncated: there is no 260-byte limit here.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// A file time as the catalogue knows it: 100-nanosecond ticks since 1 January 1601, UTC.
using TempsFichier = std::int64_t;

// Seconds between 1601-01-01 and 1970-01-01.
inline constexpr std::int64_t kSecondes1601a1970 = 11644473600LL;

inline constexpr TempsFichier tempsFichierDepuisUnix(std::int64_t secondes, std::int64_t nanos = 0)
{
    return (secondes + kSecondes1601a1970) * 10000000LL + nanos / 100;
}

// Attribute bits of an enumerated entry.
enum : std::uint32_t {
    kAttrLectureSeule = 0x1,
    kAttrCache = 0x2,
    kAttrSysteme = 0x4,
    kAttrDossier = 0x10,
    kAttrArchive = 0x20,
};

// One entry of a folder enumeration.
struct SEntreeDossier {
    std::string chemin;          // full path: folder path, '/', name
    std::uint32_t attributs = 0; // kAttr* bits
    TempsFichier creation = 0;   // birth time where the file system keeps it, else mtime
    TempsFichier acces = 0;
    TempsFichier ecriture = 0;
    std::uint64_t taille = 0;    // full 64-bit length
};

// What tells one open folder from another during a walk. A folder met again below
// itself (a bind mount of one of its parents) has the identity of the one above.
struct SIdentiteDossier {
    std::uint64_t peripherique = 0;
    std::uint64_t inode = 0;
    // On a kernel pseudo-file system (proc, sysfs, cgroup, devpts, ...): its entries
    // are the kernel's state, not files.
    bool systemeNoyau = false;

    bool memeDossier(const SIdentiteDossier& autre) const
    {
        return peripherique == autre.peripherique && inode == autre.inode;
    }
};

// An open enumeration of one folder. Entries come in the system's order; "." and ".."
// are yielded like any other entry (the caller skips them).
//
// Where a folder cannot be opened, or read to its end, the system's reason is given as
// an errno value (<cerrno>): EACCES or EPERM for a folder the user may not read, ENOENT,
// ENOTDIR or ELOOP for one gone or replaced since it was listed, anything else (EIO,
// ENOTCONN, ESTALE, EMFILE, ENOMEM...) for a disk or a system that failed.
class CEnumeration {
public:
    virtual ~CEnumeration() = default;
    // Fills `entree` with the next entry; false when there is none left, or when the
    // reading failed (erreur() then says why). `entree.chemin` is overwritten; its
    // capacity is reused from call to call.
    virtual bool suivante(SEntreeDossier& entree) = 0;
    // Once suivante() returned false: 0 at the end of the folder, else why its reading
    // stopped short.
    virtual int erreur() const { return 0; }

    // The identity of the folder being listed.
    virtual SIdentiteDossier identite() const = 0;

    // The sub-folder `entree`, an entry this enumeration gave, opened from this open
    // folder rather than by its full path (which may be too long for the system), and
    // never through a symbolic link. Its entries' paths begin with `entree.chemin`.
    // nullptr when it cannot be opened (gone, unreadable, no longer a folder), with the
    // reason in `*erreur` when given.
    virtual std::unique_ptr<CEnumeration> ouvrirSousDossier(const SEntreeDossier& entree, int* erreur = nullptr) = 0;
    // The folder that holds this one, opened from it (".."), so that a walk may climb back
    // without opening the tree again from its top: the caller checks its identity. Its
    // entries' paths begin with this folder's path less its last name. nullptr when it
    // cannot be opened (ENOTSUP where the platform cannot do it).
    virtual std::unique_ptr<CEnumeration> ouvrirParent(int* erreur = nullptr);
};

// Calendar fields of a local time.
struct SCalendrier {
    std::uint32_t annee = 0, mois = 0, jour = 0;
    std::uint32_t heure = 0, minute = 0, seconde = 0;
};

struct SVolume {
    std::string nom;             // label, at most 11 bytes (cut at a character boundary)
    std::uint32_t numeroSerie = 0;
};

class CPlateforme {
public:
    virtual ~CPlateforme() = default;

    // --- Directory enumeration ---------------------------------------------------
    // nullptr when the folder cannot be opened (missing, unreadable, not a folder), with
    // the reason in `*erreur` when given (see CEnumeration).
    virtual std::unique_ptr<CEnumeration> enumerer(const std::string& dossier, int* erreur = nullptr) = 0;
    // How many threads a capture of `dossier` lists folders with when nobody said:
    // many where each call waits on a network or a user-space file system, about the
    // processor count on a local disk. One by default.
    virtual int filsCapture(const std::string& dossier) const;
    // How many folders the process may hold open at once, at most, all threads
    // together; the capture keeps well below it. Unbounded by default.
    virtual std::size_t dossiersOuvertsMax() const;

    // --- Clock and times ------------------------------------------------------------
    // Local calendar time of a file time, with the offset in force at that instant.
    virtual SCalendrier versHeureLocale(TempsFichier t) const = 0;
    // Today's local date (heure, minute, seconde are those of now).
    virtual SCalendrier maintenant() const = 0;

    // --- Texts ---------------------------------------------------------------------
    // The user's short date and time-without-seconds; French forms when no locale is set.
    virtual std::string texteDate(std::uint32_t jour, std::uint32_t mois, std::uint32_t annee) const = 0;
    virtual std::string texteHeure(std::uint32_t heure, std::uint32_t minute) const = 0;
    // Abbreviated byte size: "N octets", "1,50 Ko", "15,9 Ko", "150 Ko", ...
    virtual std::string texteTaille(std::uint32_t taille) const;

    // --- Paths -----------------------------------------------------------------------
    // Path-spec matching: ';' alternatives, '*' crosses separators, '?', case-insensitive.
    virtual bool correspondMotif(const std::string& chemin, const std::string& motif) const;
    // Joins with exactly one separator.
    virtual std::string ajouterAuChemin(const std::string& chemin, const std::string& composant) const;
    // The last component of a path.
    virtual std::string dernierComposant(const std::string& chemin) const;
    // The root of the volume that holds the path (mount point, or "C:\" for a DOS path).
    virtual std::string racine(const std::string& chemin) const = 0;
    // True when the path is itself such a root.
    virtual bool estRacine(const std::string& chemin) const;

    // --- Volumes ---------------------------------------------------------------------
    // Label and serial of the volume whose root is given; nullopt when unreadable.
    virtual std::optional<SVolume> infoVolume(const std::string& racine) = 0;

    // --- Shell ---------------------------------------------------------------------------
    // Opens the path with the desktop's program for it; true when the path exists and
    // the opener started. An opener that then fails or finds no program calls `echec`:
    // before the return, or later on the thread that asked (the window program does not
    // wait for it).
    [[nodiscard]] virtual bool ouvrir(const std::string& chemin, std::function<void()> echec) = 0;
    // True when the path names an entry (a link counts, even dangling): a path that
    // exists but does not open has no opener, not a missing disk.
    virtual bool existe(const std::string& chemin) const = 0;
};

// The platform the program runs on. Set once at start-up (or by a test); never null
// once set.
CPlateforme& plateforme();
// Installs `p` (not owned) and returns the previous one, so tests can restore it.
CPlateforme* definirPlateforme(CPlateforme* p);
