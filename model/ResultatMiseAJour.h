#pragma once
// How the update of a query ended.

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
};
