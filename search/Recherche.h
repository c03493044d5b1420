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
struct SAvancement;

// Match pass on a folder: each file's found mark becomes its test result; hidden
// folders and sub-folders are entered as the criteria say.
void passeCorrespondance(CDossier& dossier, const CCriteres& criteres, SAvancement* avancement = nullptr);

// Results step on a query or folder: collects its files, narrows them to twins when
// duplicates are asked for, then lists the found ones (or, for a capture filter,
// removes the others from the snapshot).
void etapeResultatsRequete(CDossier& dossier, const CCriteres& criteres, CResultatsRecherche* resultats,
                           SAvancement* avancement = nullptr);

// The match pass beneath `noeud` (a document, a binder, a query or a folder).
void appliquerCriteres(CElement& noeud, const CCriteres& criteres, SAvancement* avancement = nullptr);
// The results step beneath `noeud`, query by query (a capture filter: on a folder).
void executerCriteres(CElement& noeud, const CCriteres& criteres, CResultatsRecherche* resultats,
                      SAvancement* avancement = nullptr);

// A search: every file of `documents` found, then `criteres` applied beneath their
// target (criteres.cible), if any, the found files listed in `resultats` (if any); then
// each document tells its observers that marks changed. Returns how many files were
// found: they are counted on their way to `resultats`, so the found files are walked
// even without a list.
std::size_t executerRecherche(const CCriteres& criteres, const std::vector<CDoc*>& documents,
                              CResultatsRecherche* resultats);

// The same on a job's thread: the documents are not told, and `avancement` (if any)
// is told of the pass and may stop it (CPouls).
void rechercher(const CCriteres& criteres, const std::vector<CDoc*>& documents, CResultatsRecherche* resultats,
                SAvancement* avancement);

