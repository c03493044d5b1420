#pragma once
// How the update of a query ended.

#include <cstdint>
#include <string>

enum class [[nodiscard]] EResultatMiseAJour {
    Capturee,
    // The root folder could not be read (disk absent, share unreachable, folder gone):
    // the previous snapshot, label and serial are kept.
    RacineIllisible,
    // The disk is not there: the folder is an empty mount point on another volume than
    // the one the query was captured from. The previous snapshot, label and serial are
    // kept.
    DisqueAbsent,
    // Cancelled by the user: the query is exactly as it was.
    Annulee,
    // A folder below the root could not be read (the disk failed or went, the share
    // dropped, the system ran out of descriptors or memory): the query is exactly as it
    // was, as after a cancel.
    ErreurLecture,
};

// What a capture met besides its result, for what the user is told.
struct SBilanCapture {
    // ErreurLecture: the folder that could not be read, and why (an errno value).
    std::string dossierEnErreur;
    int erreur = 0;
    // Folders left out, with all they hold, because they lie deeper than a catalogue can
    // hold (counted where the walk met them).
    std::uint32_t dossiersTropProfonds = 0;
};
