#pragma once
// A view of a document, told when the document changed.

class CElement;

class CVueDocument {
public:
    virtual ~CVueDocument() = default;
    // `emetteur`: the view that caused the change, or none; `indice`: the node
    // concerned, or none.
    virtual void miseAJour(CVueDocument* emetteur, CElement* indice) = 0;
};
