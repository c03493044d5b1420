#pragma once
// The updates the user asks for: one query, a binder, every query of a document, a
// query's parameters changed, a new query. Each captures, applies the last search
// again and tells the user what it met (a disk missing, a folder unread...).

#include <memory>

#include "model/ResultatMiseAJour.h"

class CClasseur;
class CDoc;
class CRequete;

// `requete` captured again. The first capture of a new query has no previous content
// to keep: a folder it cannot read is not reported.
EResultatMiseAJour mettreAJour(CRequete& requete, bool premiereCapture = false);
// Each query of `classeur` captured again, then the search once; one message names
// every disk missing and every folder unread.
void mettreAJour(CClasseur& classeur);
// "Tout mettre à jour": every query of every binder, then the search once; one message.
void toutMettreAJour(CDoc& doc);
// "Modifier la requête": the parameters dialog; on OK the query is captured again.
void modifierRequete(CRequete& requete);
// A new query in the current binder, through the parameters dialog: on OK it is added
// (ajouterRequete); on Cancel nothing changes. Returns the query, or none.
CRequete* nouvelleRequete(CDoc& doc);
// `requete`, made for `classeur` (one of `doc`'s) with its parameters set, named after
// its folder, appended and captured. Returns it; none when its first capture is
// cancelled, and then nothing changes.
CRequete* ajouterRequete(CDoc& doc, CClasseur& classeur, std::unique_ptr<CRequete> requete);
