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
// the process may open). Past that, a sub-folder's parent is reached again from the
// nearest folder that is still open: one held above it, or the folder the same worker
// listed last, climbed back to the nearest folder above it that still had sub-folders
// waiting; from the chosen folder otherwise. Going down a comb, then back up along its
// teeth, so costs a few opens a folder, not the depth of the tree.
//
// A read error that is the disk's (see erreurDuSupport) stops the walk: the caller keeps
// the previous snapshot. A worker waits in the system for as long as the file system
// takes to answer, which may be for ever (a FUSE process stopped, an NFS server gone):
// stopping the pool does not wait for it. What such a worker still uses is shared with
// it and lives as long as it does; it touches nothing of the capture's when it comes
// back, and the nodes are destroyed on the calling thread.

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "capture/CSuiviCapture.h"
#include "model/ResultatMiseAJour.h"

class CDossier;
class CRequete;

class CListageParallele {
public:
    // Starts `fils` workers on `racine`, the chosen folder, which the first of them
    // opens and fills; fewer when the process may open so few folders that the pool
    // would use more than half of them.
    CListageParallele(const CRequete& q, CDossier& racine, int fils);
    // Stops the workers. Those that end at once are waited for; those still waiting in
    // the system are left to end on their own, their results dropped. Every node the
    // walk built and did not file is destroyed here.
    ~CListageParallele();

    CListageParallele(const CListageParallele&) = delete;
    CListageParallele& operator=(const CListageParallele&) = delete;

    // Waits at most `delai` for the walk to end: the whole tree listed and filed, or a
    // read error met (echec() says which); true when it ended. Throws what a worker
    // could not handle (no memory).
    bool attendre(std::chrono::milliseconds delai);
    // The same, however long it takes.
    void attendre();

    // Where the walk is: folders entered, files kept and the folder a worker took last.
    void progression(SProgressionCapture& etat);
    bool racineIllisible() const;
    // Once the walk ended: whether a read error stopped it, and what the user is told.
    bool echec() const;
    void bilan(SBilanCapture& bilan) const;

private:
    class CPartage;  // all the workers use, theirs as long as one of them runs

    void arreter();

    std::shared_ptr<CPartage> partage_;
    std::vector<std::thread> fils_;
};
