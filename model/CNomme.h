#pragma once
// Named nodes: the document, binders and queries.

#include <string>

#include "model/CAffichable.h"


class CNomme : public virtual CAffichable {
public:
    CNomme* commeNomme() override { return this; }


    const std::string& nom() const { return nom_; }
    void definirNom(std::string nom) { nom_ = std::move(nom); }

    // Unlinks the node from its owner and destroys it; false when it cannot be deleted.
    // The node is gone when this returns true: do not touch it afterwards.
    virtual bool supprimer() { return false; }
    // True when `nom` may become the node's name; otherwise says why in a message box.
    virtual bool verifierNouveauNom(const std::string& nom) { (void)nom; return false; }

protected:
    // Shows message `id` of the string table with the stop icon; false.
    static bool refuserNom(int id);

    std::string nom_;
};
