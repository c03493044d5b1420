#pragma once
// The one shared base of every catalogue node. Every interface inherits it virtually,
// so a node holds exactly one CElement; a node reaches its other interfaces through
// the accessors below, never by testing its concrete class.

#include <string>

class CAffichable;
class CClasseur;
class CDoc;
class CDossier;
class CFichier;
class COuvrable;
class CRequete;

// Kind codes, used only where the user interface must tell nodes apart.
enum : int {
    kTypeAucun = -1,
    kTypeClasseur = 0,
    kTypeRequete = 1,
    kTypeDossier = 2,
};

class CElement {
public:
    CElement() = default;
    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;
    virtual ~CElement() = default;

    virtual int codeType() const { return kTypeAucun; }
    // "Classeur \"nom\"", "Requête \"nom\"", "Dossier \"chemin\"".
    virtual std::string titre() const { return {}; }
    virtual CDoc* document() const { return nullptr; }
    virtual CClasseur* classeur() const { return nullptr; }
    virtual CRequete* requete() const { return nullptr; }
    virtual CDossier* commeDossier() { return nullptr; }
    // Binders, queries and the document: the tree allows renaming, deleting, updating.
    virtual bool estModifiable() const { return false; }
    // Found mark 1 on every file entry beneath (or of) this node.
    virtual void marquerTousTrouves() {}

    virtual CAffichable* commeAffichable() { return nullptr; }
    virtual COuvrable* commeOuvrable() { return nullptr; }
    virtual CFichier* commeFichier() { return nullptr; }
};
