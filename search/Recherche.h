#pragma once
// The search run: found marks reset in every open document, re-decided beneath the
// target, and the found files handed to the results list.

#include "model/CContexte.h"

class CCriteres;
class CDossier;
class CFichier;
class CRequete;

// The search results window, as the search sees it.
class CResultatsRecherche : public CListeResultats {
public:
    virtual void vider() = 0;
    virtual void ajouterLigne(CFichier* fichier) = 0;
    // Sorts again by the current column and direction.
    virtual void retrier() = 0;
};

// Match pass on a folder: each file's found mark becomes its test result; hidden
// folders and sub-folders are entered as the criteria say.
void passeCorrespondance(CDossier& dossier, const CCriteres& criteres);

// Results step on a query or folder: collects its files, narrows them to twins when
// duplicates are asked for, then lists the found ones (or, for a capture filter,
// removes the others from the snapshot).
void etapeResultatsRequete(CDossier& dossier, const CCriteres& criteres);

// The application's search: every file of every open document found, then the
// criteria applied beneath their target, if any.
void executerRecherche();

// Run again after captures, so that marks and results follow the new snapshots.
inline void reappliquerRecherche() { executerRecherche(); }
