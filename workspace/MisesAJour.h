#pragma once
// The updates the user asks for: one query, a binder, every query of a document, a
// query's parameters changed, a new query. Each captures as one job (CTravailCapture),
// tells the user what it met (a disk missing, a folder unread...), then applies the
// last search again as a job of its own. Run by the executor given; the forms without one run at once
// on the calling thread, watched by the user's capture watcher.

#include <memory>
#include <vector>

#include "model/ResultatMiseAJour.h"

class CClasseur;
class CDoc;
class CExecuteurTravaux;
class CRequete;

// `requetes`, all of `doc`'s, captured again in turn, then the search once; one
// message names every disk missing and every folder unread.
void mettreAJour(CExecuteurTravaux& executeur, CDoc& doc, const std::vector<CRequete*>& requetes);
// "Tout mettre à jour": every query of every binder.
void toutMettreAJour(CExecuteurTravaux& executeur, CDoc& doc);
// "Modifier la requête": the parameters dialog; on OK the query is captured again.
void modifierRequete(CExecuteurTravaux& executeur, CRequete& requete);
// A new query in the current binder, through the parameters dialog: on OK it is added
// (ajouterRequete); on Cancel nothing changes. Returns the query, or none.
CRequete* nouvelleRequete(CExecuteurTravaux& executeur, CDoc& doc);
// `requete`, made for `classeur` (one of `doc`'s) with its parameters set, named after
// its folder, appended and captured. Returns it, or none when its first capture was
// cancelled already; a capture cancelled later removes it again.
CRequete* ajouterRequete(CExecuteurTravaux& executeur, CDoc& doc, CClasseur& classeur,
                         std::unique_ptr<CRequete> requete);

// The same, at once. The first capture of a new query has no previous content to
// keep: a folder it cannot read is not reported.
EResultatMiseAJour mettreAJour(CRequete& requete, bool premiereCapture = false);
void mettreAJour(CClasseur& classeur);
void toutMettreAJour(CDoc& doc);
void modifierRequete(CRequete& requete);
CRequete* nouvelleRequete(CDoc& doc);
CRequete* ajouterRequete(CDoc& doc, CClasseur& classeur, std::unique_ptr<CRequete> requete);
