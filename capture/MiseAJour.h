#pragma once
// The update of a query: its volume identity read again, its tree scanned into a new
// snapshot, the capture filter applied, and the last search applied again.

#include <string>

class CRequete;
class CSuiviCapture;

enum class EResultatMiseAJour {
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

// `suivi`: progress and cancel; by default the program's (contexte().suiviCapture).
EResultatMiseAJour mettreAJourRequete(CRequete& requete, CSuiviCapture* suivi = nullptr);

// What to tell the user after an update whose disk was not there ("Le disque « … »
// (numéro de série …) n'est pas présent : ...").
std::string texteDisqueAbsent(const CRequete& requete);
