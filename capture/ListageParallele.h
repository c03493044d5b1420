#pragma once
// The folders of a capture listed by a pool of threads. Each folder is listed whole by
// one worker, which builds its node there and then: the files the query keeps, and a
// node for each sub-folder, opened from its own open folder and queued. The tree of
// listings keeps the system's order; once every folder is listed, the calling thread
// files each sub-folder's node in its parent, depth first, under the empty-folder
// rule. The workers never free what another thread allocated and never destroy a
// node: whatever the capture drops goes on the calling thread, which alone may touch
// the program's windows.
//
// The workers take the folder queued last first, so the queue stays near the depth of
// the tree times its width. A folder listed stays open while sub-folders of it wait in
// the queue, so that each is opened from it by name; a bounded number of folders is
// held open so, and past that a sub-folder is opened name by name from the chosen
// folder when its turn comes.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "capture/RegleScan.h"
#include "platform/CPlateforme.h"

class CDossier;
class CFichier;
class CRequete;

// A folder open during the walk and those open above it, shared by the folders below.
struct SChaineDossiers {
    SIdentiteDossier identite;
    std::string chemin;
    std::shared_ptr<const SChaineDossiers> parent;  // nullptr for the chosen folder
};

// One folder of the walk: what it takes to list it, then what listing it gave.
struct SDossierLu {
    enum class EEtat {
        EnAttente,
        Lu,
        NonParcouru,  // unreadable, gone, or a folder already open above it: an empty node
    };

    SDossierLu(CDossier* dossier, std::unique_ptr<CDossier> propre);
    ~SDossierLu();

    CDossier* dossier;  // the node its files go to
    std::unique_ptr<CDossier> noeud;  // that node until it is filed; nullptr for the chosen folder
    int profondeur = 0;  // the chosen folder is 0
    std::shared_ptr<const SChaineDossiers> parents;  // the folders open above it
    // Its parent's open folder, shared by the sub-folders queued from it; nullptr past
    // the bound on open folders, and once it is opened.
    std::shared_ptr<CEnumeration> dossierParent;
    EEtat etat = EEtat::EnAttente;
    std::vector<std::unique_ptr<SDossierLu>> sousDossiers;  // in the system's order
};

class CListageParallele {
public:
    // Starts `fils` workers on `racine`, the chosen folder, which the first of them
    // opens and fills.
    CListageParallele(const CRequete& q, CDossier& racine, int fils);
    // Stops the workers and waits for them: none is left running. What was not filed
    // is dropped.
    ~CListageParallele();

    CListageParallele(const CListageParallele&) = delete;
    CListageParallele& operator=(const CListageParallele&) = delete;

    // Waits at most `delai` for every folder to be listed; true when they are. Throws
    // what a worker could not handle (no memory).
    bool attendre(std::chrono::milliseconds delai);
    // Waits for every folder to be listed, however long it takes.
    void attendre();
    // Once every folder is listed: files each sub-folder's node in its parent.
    void classer();

    // Where the walk is: folders entered, files kept and the folder a worker took last.
    void progression(SProgressionCapture& etat);
    bool racineIllisible() const { return racine_.etat == SDossierLu::EEtat::NonParcouru; }

private:
    void travailler(std::unique_ptr<CFichier>& brouillon);
    // Lists `d`, unlocked, then queues its sub-folders.
    void traiter(SDossierLu& d, std::unique_ptr<CFichier>& brouillon);
    SDossierLu::EEtat lister(SDossierLu& d, std::unique_ptr<CFichier>& brouillon);
    std::unique_ptr<CEnumeration> ouvrir(SDossierLu& d) const;
    std::unique_ptr<CEnumeration> rouvrir(const SDossierLu& d) const;
    // Shares the listed folder `d`'s open `enumeration` with its sub-folders, within the bound.
    void garderOuvert(SDossierLu& d, std::unique_ptr<CEnumeration>& enumeration);
    void classer(SDossierLu& d);
    void arreter();
    bool fini() const { return (pile_.empty() && actifs_ == 0) || erreur_; }

    const CRequete& q_;
    const CRegleCapture regle_;
    SDossierLu racine_;
    std::size_t maxOuverts_;

    std::mutex verrou_;
    std::condition_variable travail_;   // a folder to take, or the end
    std::condition_variable finis_;     // every folder listed, or a worker failed
    std::vector<SDossierLu*> pile_;     // the folders to list, the next one last
    std::size_t actifs_ = 0;            // workers listing a folder
    const CDossier* courant_ = nullptr; // the folder taken last
    std::atomic<std::size_t> ouverts_{0};  // folders held open for their sub-folders
    std::atomic<std::uint32_t> dossiers_{0}, fichiers_{0};
    std::atomic<bool> arret_{false};
    std::exception_ptr erreur_;
    // One spare entry per worker, the one the advanced test last turned down: dropped
    // here, after the workers.
    std::vector<std::unique_ptr<CFichier>> brouillons_;
    std::vector<std::thread> fils_;
};
