#pragma once
// What the nodes need of a tree control. The window program implements it over a
// QTreeView model; tests use a small in-memory fake.

#include <cstdint>
#include <string>

class CElement;

// An item handle; 0 stands for "none", and for the invisible root as a parent.
using ElementArbre = std::uintptr_t;

// Images of the tree's image list.
enum EImageArbre : int {
    kImageDossierFerme = 0,
    kImageDossierOuvert = 1,
    kImageRequete = 2,
    kImageRequeteSelection = 3,
};

class CControleArbre {
public:
    virtual ~CControleArbre() = default;

    // Inserts an item under `parent` (0: at the root), placed among its siblings in
    // the order of their labels, carrying `noeud` (not owned).
    virtual ElementArbre inserer(ElementArbre parent, const std::string& texte, int image,
                                 int imageSelection, CElement* noeud) = 0;
    // Deletes the item and everything beneath it.
    virtual void supprimer(ElementArbre element) = 0;
    virtual void supprimerTout() = 0;

    virtual ElementArbre premierEnfant(ElementArbre parent) const = 0;
    virtual ElementArbre suivant(ElementArbre element) const = 0;
    virtual CElement* noeud(ElementArbre element) const = 0;

    virtual ElementArbre selection() const = 0;
    // Selects the item (expanding the branch down to it); 0 clears the selection.
    virtual void selectionner(ElementArbre element) = 0;
    virtual void mettreEnGras(ElementArbre element, bool gras) = 0;
    // Freezes painting while the tree is rebuilt.
    virtual void geler(bool gel) = 0;
    // Starts label editing on the item.
    virtual void editerLibelle(ElementArbre element) = 0;

    // The direct child of `parent` that carries `n`, or 0.
    ElementArbre enfantDe(ElementArbre parent, const CElement* n) const
    {
        for (ElementArbre e = premierEnfant(parent); e; e = suivant(e))
            if (noeud(e) == n)
                return e;
        return 0;
    }

    // The item carrying `n` anywhere beneath `parent`, depth first, or 0.
    ElementArbre descendantDe(ElementArbre parent, const CElement* n) const
    {
        for (ElementArbre e = premierEnfant(parent); e; e = suivant(e)) {
            if (noeud(e) == n)
                return e;
            if (ElementArbre d = descendantDe(e, n))
                return d;
        }
        return 0;
    }
};
