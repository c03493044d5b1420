#pragma once
// What a capture keeps of each entry it lists and how it files it in the snapshot:
// shared by the walk on the calling thread and by the walk on a pool of threads, so
// that both give the same snapshot.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

#include "capture/CSuiviCapture.h"
#include "platform/CPlateforme.h"

class CArene;
class CDossier;
class CFichier;
class CRequete;

enum class EGenreEntree {
    Ignoree,     // ".", "..", a hidden entry left out, a folder when sub-folders are not
    Fichier,
    SousDossier, // a folder to file as a node (walked when it can be opened)
    TropProfond, // a folder deeper than a catalogue can hold: left out, and counted
};

// How an entry of a folder at `profondeur` (the chosen folder is 0) is captured.
EGenreEntree genreEntree(const SEntreeDossier& e, const CRequete& q, int profondeur);

// Whether `erreur` (an errno value), met opening a folder or reading it, stops the
// capture: not a folder the user may not read (kept empty, as the empty-folder rule
// wants), nor one gone or replaced since it was listed, nor a folder of a kernel
// pseudo-file system (whose entries come and go with the kernel's state), but a disk or
// a system that failed, whose snapshot would lose what it could not read.
bool erreurDuSupport(int erreur, const SIdentiteDossier& dossier);

// A sub-folder that is one of the folders open above it (reached again through a bind
// mount) would be walked for ever; a kernel pseudo-file system mounted below the chosen
// folder holds no files. Either is kept like an unreadable folder. Inside a pseudo-file
// system the user chose as the folder to list, its own folders are walked.
// `ouverts(f)` calls f on each folder open above, nearest first; true when `f` stops it.
template <class Parcours>
bool dossierAParcourir(const SIdentiteDossier& sous, const SIdentiteDossier& parent, Parcours&& ouverts)
{
    if (ouverts([&](const SIdentiteDossier& ouvert) { return ouvert.memeDossier(sous); }))
        return false;
    return !sous.systemeNoyau || sous.peripherique == parent.peripherique;
}

// How the capture files what it lists: the files the filter and the advanced test keep,
// the folders under the empty-folder rule. Holds nothing that changes: the threads of
// a capture share one.
class CRegleCapture {
public:
    explicit CRegleCapture(const CRequete& q);

    // Files the file `e` in `d`, its entry made in `arene`, when the filter and the
    // advanced test keep it; true when filed. An entry turned down gives its memory back.
    bool classerFichier(CArene& arene, CDossier& d, const SEntreeDossier& e) const;
    CDossier* nouveauSousDossier(const SEntreeDossier& e) const;
    // Whether the empty-folder rule keeps `s`, a sub-folder built.
    bool aGarder(const CDossier& s) const;
    // Files `s`, a sub-folder just built, in `d`, or deletes it under the empty-folder rule.
    void classerSousDossier(CDossier& d, CDossier* s) const;

private:
    const CRequete& q_;
    const std::int32_t filtre_;  // the filter mode the capture applies
};

// Reports a capture's progress to its watcher, on the calling thread only.
class CRapportCapture {
public:
    CRapportCapture(const CRequete& q, CSuiviCapture* suivi);

    bool suivi() const { return suivi_ != nullptr; }
    // The counts of the walk; the current folder is set by `signaler`.
    SProgressionCapture& etat() { return etat_; }
    // Tells the watcher where we are, at most about ten times a second; false when the
    // user cancelled. `courant` gives the current folder's path when it is told.
    template <class Courant>
    bool signaler(Courant&& courant)
    {
        if (!suivi_)
            return true;
        const auto maintenant = std::chrono::steady_clock::now();
        if (maintenant - dernier_ < std::chrono::milliseconds(100))
            return true;
        dernier_ = maintenant;
        courant(etat_.dossierCourant);
        return suivi_->progression(etat_);
    }
    // The capture waits for its threads: the watcher may spend the moment.
    void patienter();

private:
    CSuiviCapture* suivi_;
    SProgressionCapture etat_;
    std::chrono::steady_clock::time_point dernier_{};
};
