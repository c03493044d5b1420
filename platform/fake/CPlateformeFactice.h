#pragma once
// A scriptable platform for the tests: an in-memory file system with chosen names,
// times, attributes and 64-bit sizes; volumes whose disks can be inserted and
// removed; desktop opens recorded. The answers of the user are scripted apart
// (tests/core/UtilisateurFactice.h): this platform is only the system.
//
// Times are converted with a fixed offset from UTC (decalageSecondes), so tests do
// not depend on the machine's time zone.

#include <cerrno>
#include <functional>
#include <limits>
#include <map>
#include <mutex>
#include <thread>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/CPlateforme.h"

class CPlateformeFactice : public CPlateforme {
public:
    // --- The file system ---------------------------------------------------------
    // Adds a folder (and any missing parent folders). `attributs` gets kAttrDossier.
    void ajouterDossier(const std::string& chemin, std::uint32_t attributs = 0);
    // Adds a file (and any missing parent folders); its times default to `tempsDefaut`.
    SEntreeDossier& ajouterFichier(const std::string& chemin, std::uint64_t taille = 0,
                                   std::uint32_t attributs = 0);
    // Removes an entry and everything beneath it.
    void supprimer(const std::string& chemin);
    // The folder exists but the user may not open it.
    void rendreIllisible(const std::string& chemin) { echouerOuverture(chemin, EACCES); }
    // The folder exists but opening it fails with `erreur` (an errno value; 0 opens it
    // again).
    void echouerOuverture(const std::string& chemin, int erreur)
    {
        if (erreur)
            echecsOuverture_[chemin] = erreur;
        else
            echecsOuverture_.erase(chemin);
    }
    // Reading the folder fails with `erreur` after `apres` entries ("." and ".." first;
    // 0 reads it whole again).
    void echouerLecture(const std::string& chemin, int erreur, std::size_t apres)
    {
        if (erreur)
            echecsLecture_[chemin] = SEchecLecture{erreur, apres};
        else
            echecsLecture_.erase(chemin);
    }
    // The identity the folder's enumeration reports; each folder has one of its own
    // until a test changes it: the identity of a parent makes a loop (as a bind mount
    // does), systemeNoyau a kernel pseudo-file system.
    SIdentiteDossier& identite(const std::string& dossier) { return noeuds_.at(dossier).identite; }
    // Every folder listed: opened by its path, or from its parent's enumeration (by
    // the capture's threads: the file system is only read while they run).
    std::vector<std::string> ouverturesParChemin;
    std::vector<std::string> ouverturesRelatives;
    std::vector<std::string> ouverturesParents;  // opened from a folder below, by ".."
    std::vector<std::thread::id> filsDesOuvertures;  // the thread of each, in either way
    TempsFichier tempsDefaut = tempsFichierDepuisUnix(1047297600); // 10/03/2003 12:00 UTC

    // --- Volumes -----------------------------------------------------------------
    // Declares a root (a mount point or "C:\"); paths beneath it belong to its volume.
    void ajouterRacine(const std::string& racine);
    // Puts a disk in the drive: the root's label and serial; its files become reachable.
    void insererDisque(const std::string& racine, const std::string& nom, std::uint32_t serie);
    // Takes the disk out: the root's paths can neither be enumerated nor opened.
    void retirerDisque(const std::string& racine);

    // --- Clock and texts ---------------------------------------------------------
    std::int64_t decalageSecondes = 0;
    SCalendrier maintenantFixe{2003, 3, 10, 14, 5, 9};

    // --- Shell ---------------------------------------------------------------------
    std::vector<std::string> ouvertures;        // every path opened successfully
    std::vector<std::string> tentativesOuverture;
    std::set<std::string> inouvrables;          // paths that exist but have no opener
    std::set<std::string> echouentApres;        // paths whose opener starts, then fails
    std::vector<std::function<void()>> echecsEnAttente;   // their failures, for the test to tell

    // --- CPlateforme ---------------------------------------------------------------
    std::unique_ptr<CEnumeration> enumerer(const std::string& dossier, int* erreur = nullptr) override;
    std::size_t dossiersOuvertsMax() const override { return dossiersOuvertsMaxFixe; }
    std::size_t dossiersOuvertsMaxFixe = std::numeric_limits<std::size_t>::max();
    SCalendrier versHeureLocale(TempsFichier t) const override;
    SCalendrier maintenant() const override { return maintenantFixe; }
    std::string texteDate(std::uint32_t jour, std::uint32_t mois, std::uint32_t annee) const override;
    std::string texteHeure(std::uint32_t heure, std::uint32_t minute) const override;
    std::string racine(const std::string& chemin) const override;
    std::optional<SVolume> infoVolume(const std::string& racine) override;
    bool ouvrir(const std::string& chemin, std::function<void()> echec) override;
    bool existe(const std::string& chemin) const override;

private:
    struct SNoeud {
        SEntreeDossier entree;
        std::vector<std::string> enfants;   // full paths, in insertion order
        SIdentiteDossier identite;          // folders only
    };
    struct SLecteur {
        bool present = true;
        SVolume volume;
    };

    struct SEchecLecture {
        int erreur;
        std::size_t apres;
    };
    class CEnumerationFactice;

    bool accessible(const std::string& chemin) const;
    void lierAuParent(const std::string& chemin);
    // Opens `dossier`, noted in `journal`.
    std::unique_ptr<CEnumeration> ouvrirNote(const std::string& dossier, std::vector<std::string>& journal,
                                             int* erreur);

    std::map<std::string, SNoeud> noeuds_;
    std::map<std::string, int> echecsOuverture_;
    std::map<std::string, SEchecLecture> echecsLecture_;
    std::map<std::string, SLecteur> lecteurs_;
    std::uint64_t dernierInode_ = 0;
    std::mutex ouverturesVerrou_;
};
