#pragma once
// The search run: found marks reset in every open document, re-decided beneath the
// target, and the found files handed to the results list.

#include <vector>

#include "model/CResultatsRecherche.h"

class CCriteres;
class CDoc;
class CDossier;
class CElement;
class CFichier;
class CRequete;

// Match pass on a folder: each file's found mark becomes its test result; hidden
// folders and sub-folders are entered as the criteria say.
void passeCorrespondance(CDossier& dossier, const CCriteres& criteres);

// Results step on a query or folder: collects its files, narrows them to twins when
// duplicates are asked for, then lists the found ones (or, for a capture filter,
// removes the others from the snapshot).
void etapeResultatsRequete(CDossier& dossier, const CCriteres& criteres, CResultatsRecherche* resultats);

// The match pass beneath `noeud` (a document, a binder, a query or a folder).
void appliquerCriteres(CElement& noeud, const CCriteres& criteres);
// The results step beneath `noeud`, query by query (a capture filter: on a folder).
void executerCriteres(CElement& noeud, const CCriteres& criteres, CResultatsRecherche* resultats);

// A search: every file of `documents` found, then `criteres` applied beneath their
// target (criteres.cible), if any, the found files listed in `resultats` (if any).
void executerRecherche(const CCriteres& criteres, const std::vector<CDoc*>& documents, CResultatsRecherche* resultats);

// The application's search again (its criteria, the open documents, its results
// window): after captures, so that marks and results follow the new snapshots.
void reappliquerRecherche();
