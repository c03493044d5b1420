#pragma once
// What a capture keeps of each entry it lists and how it files it in the snapshot:
// shared by the walk on the calling thread and by the walk on a pool of threads, so
// that both give the same snapshot.

#include <chrono>
#include <cstdint>
#include <string_view>

#include "capture/CSuiviCapture.h"
#include "platform/CPlateforme.h"

class CDossier;
class CRequete;

enum class EGenreEntree {
    Ignoree,     // ".", "..", a hidden entry left out, a folder not walked at this depth
    Fichier,
    SousDossier, // a folder to file as a node (walked when it can be opened)
};

// How an entry of a folder at `profondeur` (the chosen folder is 0) is captured.
EGenreEntree genreEntree(const SEntreeDossier& e, const CRequete& q, int profondeur);

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

// Builds the snapshot's nodes from listed entries, on the calling thread only: the
// files the filter and the advanced test keep, the empty-folder rule, the progress.
class CConstructionScan {
public:
    CConstructionScan(const CRequete& q, CSuiviCapture* suivi);

protected:
    // Files `e` in `d` when the filter and the advanced test keep it, its path moved
    // into the entry. False when the user cancelled at the progress report that
    // follows every 1024 files.
    bool ajouterFichier(CDossier& d, SEntreeDossier& e);
    // Files `s`, a sub-folder just built, in `d`, or deletes it under the empty-folder rule.
    void classerSousDossier(CDossier& d, CDossier* s) const;
    CDossier* nouveauSousDossier(const SEntreeDossier& e) const;
    // A folder entered: counted, and the watcher told.
    bool entrer(const CDossier& d);
    // Tells the watcher where we are, at most about ten times a second; false when the
    // user cancelled.
    bool signaler(const CDossier& d);
    // The builder waits for the pool: the watcher may spend the moment.
    void patienter();

    const CRequete& q_;

private:
    CSuiviCapture* suivi_;
    const std::int32_t filtre_;  // the filter mode the capture applies
    SProgressionCapture etat_;
    std::uint32_t compteur_ = 0;
    std::chrono::steady_clock::time_point dernier_{};
};
