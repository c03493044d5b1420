#pragma once
// The update of a query: its volume identity read again, its tree scanned into a new
// snapshot, the capture filter applied, and the last search applied again.

class CRequete;
class CSuiviCapture;

enum class EResultatMiseAJour {
    Capturee,
    // The root folder could not be read (disk absent, share unreachable, folder gone):
    // the previous snapshot, label and serial are kept.
    RacineIllisible,
    // Cancelled by the user: the query is exactly as it was.
    Annulee,
};

// `suivi`: progress and cancel; by default the program's (contexte().suiviCapture).
EResultatMiseAJour mettreAJourRequete(CRequete& requete, CSuiviCapture* suivi = nullptr);
