#pragma once
// Tree and list services of the nodes the views show (document, binder, query, folder).

#include "model/CControleArbre.h"
#include "model/CElement.h"
#include "model/CListeElements.h"

class CControleListe;
class CNomme;

class CAffichable : public virtual CElement {
public:
    CAffichable* commeAffichable() override { return this; }

    // The node's own item in `arbre` (nullptr: the document's tree), or 0.
    virtual ElementArbre elementArbre(CControleArbre* arbre = nullptr) { (void)arbre; return 0; }
    virtual CNomme* commeNomme() { return nullptr; }
    // Match pass: each file's found mark becomes the result of the file test.
    virtual void appliquerCriteres(const CCriteres&) {}
    // 0 a binder's list of queries, 1 a list of files, -1 none.
    virtual int typeListe() const { return -1; }
    virtual void remplirListe(CControleListe&) {}
    virtual void insererEnfants(CControleArbre&, ElementArbre parent) { (void)parent; }
    // Rebuilds the node's branch of its document's tree (a query is captured again).
    virtual void mettreAJourBranche(bool selectionner) { (void)selectionner; }
    // Appends every file entry beneath the node, folder by folder, files first.
    virtual void collecterFichiers(CListeElements<CFichier>&) {}
};
