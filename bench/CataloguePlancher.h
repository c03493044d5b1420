#pragma once
// The least that loading or saving a catalogue file has to do, as a yardstick: the
// same records read through a 1 MiB buffer into plain linked lists of structs, and
// written back from them through a 1 MiB buffer. Texts keep their stored bytes
// (Windows-1252 or UTF-16LE, never converted); the fixed part of each file record is
// kept as its 96 raw bytes. Reading checks every count and length against the bytes
// left, as a reader of untrusted files must. Nothing is synced to the disk.

#include <cstddef>
#include <cstdint>
#include <string>

// A text as stored: its bytes, and whether it is in the wide form.
struct STextePlancher {
    std::string octets;
    bool large = false;
};

// Creation and modification images (36 bytes each), access date (12), size,
// attributes and mark (4 each).
inline constexpr std::size_t kFixeFichierPlancher = 36 + 36 + 12 + 4 + 4 + 4;

struct SFichierPlancher {
    SFichierPlancher* suivant = nullptr;
    STextePlancher chemin;
    unsigned char fixe[kFixeFichierPlancher];
};

struct SDossierPlancher {
    SDossierPlancher() = default;
    SDossierPlancher(const SDossierPlancher&) = delete;
    SDossierPlancher& operator=(const SDossierPlancher&) = delete;
    ~SDossierPlancher();

    SDossierPlancher* suivant = nullptr;  // next folder of the same parent
    STextePlancher chemin;
    bool cache = false;
    std::int32_t nombreFichiers = 0;
    std::int32_t nombreSousDossiers = 0;
    SFichierPlancher* fichiers = nullptr;
    SFichierPlancher* dernierFichier = nullptr;
    SDossierPlancher* sousDossiers = nullptr;
    SDossierPlancher* dernierSousDossier = nullptr;
};

// Switches, filter mode, then the parameters after the filter up to the criteria
// block included: 5 switches, serial number, 11-byte label, 164-byte block.
inline constexpr std::size_t kDrapeauxRequetePlancher = 4;
inline constexpr std::size_t kParametresRequetePlancher = 5 + 4 + 11 + 164;

struct SRequetePlancher {
    SRequetePlancher* suivant = nullptr;
    STextePlancher nom;
    unsigned char drapeaux[kDrapeauxRequetePlancher];
    STextePlancher filtre;
    unsigned char parametres[kParametresRequetePlancher];
    SDossierPlancher racine;
};

struct SClasseurPlancher {
    SClasseurPlancher() = default;
    SClasseurPlancher(const SClasseurPlancher&) = delete;
    SClasseurPlancher& operator=(const SClasseurPlancher&) = delete;
    ~SClasseurPlancher();

    SClasseurPlancher* suivant = nullptr;
    STextePlancher nom;
    std::int32_t nombreRequetes = 0;
    SRequetePlancher* requetes = nullptr;
    SRequetePlancher* derniereRequete = nullptr;
};

// The view settings: sub-folder switch, two sort columns, two sort directions, three
// rows of seven column positions.
inline constexpr std::size_t kEnTetePlancher = 1 + 2 * 4 + 2 + 3 * 7 * 4;

struct SCataloguePlancher {
    SCataloguePlancher() = default;
    SCataloguePlancher(const SCataloguePlancher&) = delete;
    SCataloguePlancher& operator=(const SCataloguePlancher&) = delete;
    ~SCataloguePlancher();

    unsigned char enTete[kEnTetePlancher];
    std::int32_t nombreClasseurs = 0;
    SClasseurPlancher* classeurs = nullptr;
    SClasseurPlancher* dernierClasseur = nullptr;
};

// Reads the file at `chemin` into `catalogue` (which must be empty). Throws
// std::runtime_error on a file it cannot read.
void chargerPlancher(const std::string& chemin, SCataloguePlancher& catalogue);

// Writes `catalogue` to `chemin` (created or truncated), without syncing. Throws
// std::runtime_error when writing fails.
void ecrirePlancher(const SCataloguePlancher& catalogue, const std::string& chemin);

// How many file entries `catalogue` holds.
std::size_t compterFichiersPlancher(const SCataloguePlancher& catalogue);
