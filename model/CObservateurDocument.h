#pragma once
// What a document tells those who show it when its contents change. The tree and the
// list follow the document through these notices; the document never drives them.

class CElement;

enum class EChangement {
    NoeudAjoute,         // a binder or a query, in its place in its binder
    NoeudSupprime,       // a binder or a query, told once it is destroyed: its address
                         // may be compared, never read; `ancienParent` held it
    NoeudRenomme,        // a binder or a query
    NoeudDeplace,        // a query, now in another binder (`ancienParent`)
    InstantaneRemplace,  // a query's folders and files are new ones
    MarquesChangees,     // the found marks were decided again (a search ran)
    ToutChange,          // loaded, emptied, or the sub-folder display switched
    // Told just before nodes are destroyed, while they can still be read: the last
    // moment to let go of them. Nodes destroyed anywhere else (a capture's own
    // unfinished tree) were never shown, and their destruction tells nobody.
    NoeudVaPartir,       // a binder, a query, or the document itself (then all it holds):
                         // it and everything under it
    InstantaneVaPartir,  // a query's folders and files (the query stays)
    DocumentFerme,       // the document is being destroyed: the last notice it sends
};

struct SChangement {
    EChangement quoi;
    CElement* noeud = nullptr;
    CElement* ancienParent = nullptr;
};

// Whether `noeud` is among the nodes a NoeudVaPartir or InstantaneVaPartir notice
// announces; false for every other notice.
bool partAvec(const CElement& noeud, const SChangement& changement);

class CObservateurDocument {
public:
    virtual ~CObservateurDocument() = default;
    virtual void documentChange(const SChangement& changement) = 0;
};
