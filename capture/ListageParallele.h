#pragma once
// The folders of a capture listed by a pool of threads, ahead of the thread that builds
// the snapshot from them in depth-first order. Each folder is listed whole (entries and
// their metadata) by one worker, which opens its sub-folders from its own open folder
// and queues them. The workers take the folders nearest the builder's place first,
// keep a bounded number of folders listed ahead of it and of folders open in the
// queue: past that, a queued folder is opened again when its turn comes, name by name
// from the chosen folder.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/CPlateforme.h"

class CRequete;

// A folder open during the walk and those open above it, shared by the folders below.
struct SChaineDossiers {
    SIdentiteDossier identite;
    std::string chemin;
    std::shared_ptr<const SChaineDossiers> parent;  // nullptr for the chosen folder
};

// One folder of the walk: what it takes to list it, then its listing.
struct SDossierLu : std::enable_shared_from_this<SDossierLu> {
    enum class EEtat {
        EnAttente,
        Lu,
        NonParcouru,  // unreadable, gone, or a folder already open above it: an empty node
    };

    std::string chemin;
    int profondeur = 0;  // the chosen folder is 0
    std::shared_ptr<const SChaineDossiers> parents;  // the folders open above it
    std::unique_ptr<CEnumeration> ouvert;  // opened by its parent's worker, or nullptr
    // nullptr for the chosen folder
    bool pris = false;

    EEtat etat = EEtat::EnAttente;
    std::size_t poids = 0;  // what it counts among the entries listed ahead of the builder
    std::vector<SEntreeDossier> entrees;  // the files and sub-folders to file, in the system's order
    std::vector<std::shared_ptr<SDossierLu>> sousDossiers;  // one for each folder among them
};

class CListageParallele {
public:
    // Starts `fils` workers on the chosen folder `chemin`, which the first of them opens.
    CListageParallele(const CRequete& q, const std::string& chemin, int fils);
    // Stops the workers and waits for them: none is left running.
    ~CListageParallele();

    CListageParallele(const CListageParallele&) = delete;
    CListageParallele& operator=(const CListageParallele&) = delete;

    std::shared_ptr<SDossierLu> racine() const { return racine_; }

    // Waits at most `delai` for `d` to be listed; true when it is, and it is then the
    // builder's alone. Throws what a worker could not handle (no memory).
    bool attendre(SDossierLu& d, std::chrono::milliseconds delai);

private:
    void travailler();
    // The folder a worker lists next, or nullptr; called with the lock held.
    std::shared_ptr<SDossierLu> prendre();
    // Lists `d`, unlocked, then hands it to the builder.
    void traiter(const std::shared_ptr<SDossierLu>& d);
    SDossierLu::EEtat lister(SDossierLu& d);
    void ouvrirSousDossier(CEnumeration& parent, const SChaineDossiers& chaine, SDossierLu& sous,
                           const SEntreeDossier& e);
    std::unique_ptr<CEnumeration> rouvrir(const SDossierLu& d) const;
    void arreter();

    const CRequete& q_;
    std::shared_ptr<SDossierLu> racine_;
    std::string cheminRacine_;
    std::size_t maxOuverts_;

    std::mutex verrou_;
    std::condition_variable travail_;   // a folder to take, or the end
    std::condition_variable listes_;    // a folder listed
    std::vector<std::shared_ptr<SDossierLu>> pile_;  // the folders to list, the next one last
    std::shared_ptr<SDossierLu> voulu_;  // the folder the builder waits for
    std::size_t enAvance_ = 0;          // entries listed that the builder has not reached
    std::atomic<std::size_t> ouverts_{0};  // folders open in the queue
    std::atomic<bool> arret_{false};
    std::exception_ptr erreur_;
    std::vector<std::thread> fils_;
};
