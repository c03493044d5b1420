#pragma once
// The update of a query: its volume identity read again, its tree scanned into a new
// snapshot, the capture filter applied. The caller applies the last search again
// (reappliquerRecherche) once its captures are done.

#include <cstdint>
#include <memory>
#include <string>

#include "model/CDossier.h"
#include "model/ResultatMiseAJour.h"

class CRequete;
class CSuiviCapture;

// A capture made away from any document: what it found, and when it succeeded the new
// snapshot and the volume's identity, waiting to be put in place (placerCapture).
struct SCaptureFaite {
    EResultatMiseAJour resultat = EResultatMiseAJour::Annulee;
    std::unique_ptr<CDossier> instantane;   // its folders and files become the query's
    std::string nomVolume;                  // as the file will keep it
    std::uint32_t numeroSerie = 0;
    SBilanCapture bilan;
};

// Captures the folder `parametres` names, with its switches, filter and criteria, and
// with its stored volume identity for the missing-disk rule; `avaitContenu`: whether
// the query held anything. Reads nothing else, so it may run on any thread while the
// document is shown: `parametres` is then a copy (CRequete::copierParametres).
SCaptureFaite capturerRequete(const CRequete& parametres, bool avaitContenu, CSuiviCapture* suivi, int fils = 0);
// On the thread that owns `requete`'s document: a successful capture replaces its
// snapshot and volume identity, announced to the document; any other leaves it as it
// was. Returns the capture's result.
EResultatMiseAJour placerCapture(CRequete& requete, SCaptureFaite capture);

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
