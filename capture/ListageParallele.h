#pragma once
// The folders of a capture listed by a pool of threads. Each folder is listed whole by
// one worker, which builds its node there and then: the files the query keeps, and a
// node for each sub-folder, queued. The tree of listings keeps the system's order;
// once a folder and every folder below it are listed, the worker that listed the last
// of them files its sub-folders' nodes in its own, under the empty-folder rule, and
// frees their listings. The workers never destroy a node: the folders the rule drops
// are destroyed on the calling thread, which alone may touch the program's windows.
//
// The workers take the folder queued last first, so the queue stays near the depth of
// the tree times its width. A folder listed stays open while sub-folders of it wait in
// the queue, so that each is opened from it by name; a bounded number of folders is
// held open so (16 a thread, 256 in all, the whole pool within half the descriptors
// the process may open), and past that a sub-folder is opened name by name from the
// chosen folder when its turn comes.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "capture/RegleScan.h"
#include "platform/CPlateforme.h"

class CDossier;
class CFichier;
class CRequete;

// One folder of the walk: what it takes to list it, then what listing it gave.
struct SDossierLu {
    SDossierLu(CDossier* dossier, SDossierLu* parent);
    ~SDossierLu();

    CDossier* const dossier;           // the node its files go to
    std::unique_ptr<CDossier> noeud;   // that node until it is filed; nullptr for the chosen folder
    SDossierLu* const parent;          // listed, and there until this one is filed; nullptr for the chosen folder
    const int profondeur;              // the chosen folder is 0
    SIdentiteDossier identite;         // once opened
    // Held open once listed, while sub-folders wait to be opened from it.
    std::unique_ptr<CEnumeration> ouvert;
    std::atomic<std::size_t> aOuvrir{0};   // sub-folders still to open from `ouvert`
    // Its own listing and each sub-folder not yet filed: the last one done files them.
    std::atomic<std::size_t> attendus{1};
    std::vector<std::unique_ptr<SDossierLu>> sousDossiers;  // in the system's order
};

class CListageParallele {
public:
    // Starts `fils` workers on `racine`, the chosen folder, which the first of them
    // opens and fills; fewer when the process may open so few folders that the pool
    // would use more than half of them.
    CListageParallele(const CRequete& q, CDossier& racine, int fils);
    // Stops the workers and waits for them: none is left running. What was not filed
    // is dropped.
    ~CListageParallele();

    CListageParallele(const CListageParallele&) = delete;
    CListageParallele& operator=(const CListageParallele&) = delete;

    // Waits at most `delai` for the whole tree to be listed and filed; true when it
    // is. Throws what a worker could not handle (no memory).
    bool attendre(std::chrono::milliseconds delai);
    // The same, however long it takes.
    void attendre();

    // Where the walk is: folders entered, files kept and the folder a worker took last.
    void progression(SProgressionCapture& etat);
    bool racineIllisible() const { return racineIllisible_; }

private:
    // What each worker keeps for itself.
    struct SAtelier {
        std::unique_ptr<CFichier> brouillon;  // the spare entry of CRegleCapture::classerFichier
        std::vector<std::unique_ptr<CDossier>> rebuts;  // dropped by the empty-folder rule
    };

    void travailler(SAtelier& atelier);
    // Lists `d`, unlocked, queues its sub-folders and files what is complete.
    void traiter(SDossierLu& d, SAtelier& atelier);
    bool lister(SDossierLu& d, SAtelier& atelier);
    std::unique_ptr<CEnumeration> ouvrir(SDossierLu& d);
    std::unique_ptr<CEnumeration> rouvrir(const SDossierLu& d) const;
    // Keeps the listed folder `d`'s open `enumeration` for its sub-folders, within the bound.
    void garderOuvert(SDossierLu& d, std::unique_ptr<CEnumeration>& enumeration);
    // `d` is done with one of its counts: files what that completes, up the tree.
    void achever(SDossierLu* d, SAtelier& atelier);
    void arreter();

    const CRequete& q_;
    const CRegleCapture regle_;
    std::size_t maxOuverts_ = 0;

    std::mutex verrou_;
    std::condition_variable travail_;   // a folder to take, or the end
    std::condition_variable finis_;     // the tree filed, or a worker failed
    std::vector<SDossierLu*> pile_;     // the folders to list, the next one last
    bool fini_ = false;
    const CDossier* courant_ = nullptr; // the folder taken last
    std::atomic<std::size_t> ouverts_{0};  // folders held open for their sub-folders
    std::atomic<std::uint32_t> dossiers_{0}, fichiers_{0};
    std::atomic<bool> arret_{false};
    bool racineIllisible_ = false;
    std::exception_ptr erreur_;
    std::vector<SAtelier> ateliers_;    // one per worker, dropped after them
    SDossierLu racine_;
    std::vector<std::thread> fils_;
};
