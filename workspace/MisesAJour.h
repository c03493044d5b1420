#pragma once
// The updates the user asks for: one query, a binder, every query of a document, a
// query's parameters changed, a new query. Each captures as one job (CTravailCapture),
// tells `contexte`'s user what it met (a disk missing, a folder unread...), then lets
// the executor's owner apply the search again (CExecuteurTravaux::apresCapture). Run
// by the executor given; the forms without one run at once on the calling thread,
// watched by the user's capture watcher.

#include <memory>
#include <vector>

#include "model/ResultatMiseAJour.h"

class CClasseur;
class CContexte;
class CDoc;
class CExecuteurTravaux;
class CRequete;

// `requetes`, all of `doc`'s, captured again in turn, then the search once; one
// message names every disk missing and every folder unread.
void mettreAJour(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc, const std::vector<CRequete*>& requetes);
// "Tout mettre à jour": every query of every binder.
void toutMettreAJour(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc);
// "Modifier la requête": the parameters dialog; on OK the query is captured again.
void modifierRequete(CExecuteurTravaux& executeur, CContexte& contexte, CRequete& requete);
// A new query in `contexte`'s current binder (nothing when it is not one of `doc`'s),
// through the parameters dialog: on OK it is added (ajouterRequete); on Cancel nothing
// changes. Returns the query, or none.
CRequete* nouvelleRequete(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc);
// `requete`, made for `classeur` (one of `doc`'s) with its parameters set, named after
// its folder, appended and captured. Returns it, or none when its first capture was
// cancelled already; a capture cancelled later removes it again.
CRequete* ajouterRequete(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc, CClasseur& classeur,
                         std::unique_ptr<CRequete> requete);

// The same, at once, then `contexte`'s search applied again (the new query goes to
// its current binder). The first capture of a new query has no previous content to
// keep: a folder it cannot read is not reported.
EResultatMiseAJour mettreAJour(CContexte& contexte, CRequete& requete, bool premiereCapture = false);
void mettreAJour(CContexte& contexte, CClasseur& classeur);
void toutMettreAJour(CContexte& contexte, CDoc& doc);
void modifierRequete(CContexte& contexte, CRequete& requete);
CRequete* nouvelleRequete(CContexte& contexte, CDoc& doc);
CRequete* ajouterRequete(CContexte& contexte, CDoc& doc, CClasseur& classeur, std::unique_ptr<CRequete> requete);
