#pragma once
// The folder scan: fills a folder node from disk with the switches, the filter and the
// advanced file test of a query, depth first, keeping the system's order.

#include "model/ResultatMiseAJour.h"

class CDossier;
class CRequete;
class CSuiviCapture;

enum class [[nodiscard]] EResultatScan {
    Termine,
    DossierIllisible,   // the folder itself could not be opened: the node stays empty
    Annule,             // the user cancelled: the node holds what was read so far
    // A folder below could not be read for a reason that is the disk's or the system's
    // (see erreurDuSupport): the node holds what was read so far.
    ErreurLecture,
};

// The most threads a capture lists folders with.
inline constexpr int kFilsCaptureMax = 256;

// Rebuilds the contents of `dossier` from its path, with the switches of `requete`.
// A sub-folder the user may not read, or one gone meanwhile, yields an empty node, kept
// only under the empty-folder rule; any other read error stops the scan. `bilan`, when
// given, receives which folder failed and why, and the folders left out for their depth.
// `fils`: how many threads list folders; 0 lets the platform choose from the folder's
// file system, 1 walks on the calling thread alone. Any count but 1 lists and builds
// the nodes on threads of its own, the calling thread only waiting and reporting. The
// snapshot is the same whatever the count; `suivi` is only ever called on the calling
// thread, and every node dropped is destroyed there.
EResultatScan scannerDossier(CDossier& dossier, const CRequete& requete, CSuiviCapture* suivi = nullptr,
                             int fils = 0, SBilanCapture* bilan = nullptr);
