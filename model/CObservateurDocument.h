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
};

struct SChangement {
    EChangement quoi;
    CElement* noeud = nullptr;
    CElement* ancienParent = nullptr;
};

class CObservateurDocument {
public:
    virtual ~CObservateurDocument() = default;
    virtual void documentChange(const SChangement& changement) = 0;
};
