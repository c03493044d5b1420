#pragma once
// What the program keeps from one operation to the next: the current binder, the open
// documents, the application's search and its results windows. None of them owns anything; every node clears the references to itself
// when it is destroyed (oublier), so no pointer here ever outlives its target.

#include <functional>
#include <vector>

#include "model/CCriteres.h"

class CClasseur;
class CDoc;
class CElement;
class CFichier;
class CRequete;
class CResultatsComparaison;
class CResultatsRecherche;

// A view that shows nodes (the list pane of a document window): told of every node
// destroyed, files included, before its memory goes, so it never paints a freed row.
// For a file, `requeteDuFichier` is the query it belongs to (only compared: it may
// be going too).
class CObservateurNoeuds {
public:
    virtual ~CObservateurNoeuds() = default;
    virtual void noeudDetruit(const CElement* noeud, const CRequete* requeteDuFichier) = 0;
};

struct CContexte {
    // The binder the new-query command adds to: one of the active document's, or none.
    CClasseur* classeurCourant = nullptr;

    // Every open document, in opening order (the search resets them all).
    std::vector<CDoc*> documents;

    // The application's search criteria; their target is the node searched last.
    CCriteres criteresRecherche;
    // "Filtre recherche": lists show only files whose found mark is set.
    bool filtreRecherche = false;

    // The application's results windows, registered by the window program for as long
    // as they exist: the application's search and comparison fill them, and every file
    // destroyed leaves them first.
    CResultatsRecherche* resultatsRecherche = nullptr;
    CResultatsComparaison* resultatsComparaison = nullptr;

    // The search results window shows the quick search's answer: the application's
    // search still sets the found marks, but leaves the window and its count alone.
    bool resultatsRapidesAffiches = false;
    // Told, on the owning thread, after the documents' contents may have changed (an
    // update, a load, a node deleted or moved, a document closed).
    std::function<void()> surChangementDocuments;
    void signalerChangementDocuments()
    {
        if (surChangementDocuments)
            surChangementDocuments();
    }

    // Views told of destroyed nodes; each adds and removes itself.
    std::vector<CObservateurNoeuds*> observateurs;

    // Called by every node's destructor.
    void oublier(const CElement* noeud);
    // Tells the observers; every node's destructor calls it (through oublier for
    // the nodes that hold references).
    void signalerDestruction(const CElement* noeud, const CRequete* requeteDuFichier = nullptr)
    {
        for (CObservateurNoeuds* o : observateurs)
            o->noeudDetruit(noeud, requeteDuFichier);
    }
    void oublierDocument(const CDoc* doc);
    // For a query about to be destroyed, while its files still exist: the comparison
    // window that shows it lets go of their rows and returns to its start state.
    void oublierRequete(const CRequete& requete);
};

CContexte& contexte();
