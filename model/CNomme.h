#pragma once
// Named nodes: the document, binders and queries.

#include <string>

#include "model/CAffichable.h"
#include "platform/Resultat.h"


class CNomme : public virtual CAffichable {
public:
    CNomme* commeNomme() override { return this; }


    const std::string& nom() const { return nom_; }
    void definirNom(std::string nom) { nom_ = std::move(nom); }

    // Whether `nom` may become the node's name; if not, why, as the user is told.
    virtual CResultat<> verifierNouveauNom(const std::string& nom) const;

protected:

    std::string nom_;
};
