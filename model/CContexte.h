#pragma once
// The few program-wide references that connect the subsystems for the length of one
// operation. None of them owns anything; every node clears the references to itself
// when it is destroyed (oublier), so no pointer here ever outlives its target.

#include <vector>

#include "model/CCriteres.h"

class CClasseur;
class CDoc;
class CElement;
class CFichier;
class CRequete;
class CResultatsComparaison;
class CResultatsRecherche;
struct SOptionsComparaison;

// A list of file rows (search results, comparison results) that must forget a file
// entry before it is destroyed.
class CListeResultats {
public:
    virtual ~CListeResultats() = default;
    virtual void retirerFichier(const CFichier* fichier) = 0;
};

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
    CDoc* documentCourant = nullptr;
    // Always a binder of documentCourant's document, or none.
    CClasseur* classeurCourant = nullptr;
    CRequete* requeteCourante = nullptr;

    // Every open document, in opening order (the search resets them all).
    std::vector<CDoc*> documents;

    // The application's search criteria; their target is the node searched last.
    CCriteres criteresRecherche;
    // "Filtre recherche": lists show only files whose found mark is set.
    bool filtreRecherche = false;

    CResultatsRecherche* resultatsRecherche = nullptr;
    CResultatsComparaison* resultatsComparaison = nullptr;
    // The pair compared last, shown by the comparison results window.
    CRequete* comparaisonA = nullptr;
    CRequete* comparaisonB = nullptr;
    // Set only while a comparison runs: the rows then take the comparison layout.
    const SOptionsComparaison* optionsComparaison = nullptr;

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
};

CContexte& contexte();
