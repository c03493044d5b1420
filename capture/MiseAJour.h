#pragma once
// The update of a query: its volume identity read again, its tree scanned into a new
// snapshot, the capture filter applied. The caller applies the last search again
// (reappliquerRecherche) once its captures are done.

#include <string>

#include "model/ResultatMiseAJour.h"

class CRequete;
class CSuiviCapture;

// `suivi`: told of the progress, may cancel; nullptr when nobody watches.
// `fils`: the threads that list folders, as scannerDossier takes them (0: chosen from
// the folder's file system, 1: the calling thread alone).
// `bilan`: when given, what the update met besides its result (texteMiseAJour).
EResultatMiseAJour mettreAJourRequete(CRequete& requete, CSuiviCapture* suivi, int fils = 0,
                                      SBilanCapture* bilan = nullptr);

// What to tell the user after an update whose disk was not there ("Le disque « … »
// (numéro de série …) n'est pas présent : ...").
std::string texteDisqueAbsent(const CRequete& requete);

// What to tell the user after an update of `requete` that ended with `resultat`: the
// disk not there, a folder that could not be read, folders left out for their depth.
// Empty when there is nothing to tell (a root that cannot be read is the caller's).
std::string texteMiseAJour(const CRequete& requete, EResultatMiseAJour resultat, const SBilanCapture& bilan);
