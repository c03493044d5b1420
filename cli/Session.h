#pragma once
// One run of the command-line tool on one catalogue: the platform installed, the
// catalogue opened, the node named on the command line found, the changes saved.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "model/CDoc.h"
#include "platform/Resultat.h"
#include "storage/VerrouCatalogue.h"
#include "workspace/CContexte.h"

class CClasseur;
class CElement;
class CRequete;

class CSession {
public:
    CSession();
    ~CSession();

    // Opens the catalogue (SErreurDonnees when it cannot be read).
    CDoc& ouvrir(const std::string& chemin);
    // The same from `fd`, already open on it, noting where its file records start.
    CDoc& ouvrir(const std::string& chemin, int fd, std::vector<std::uint64_t>& debutsFichiers);
    // The same for a command that will change it: the catalogue stays locked from the
    // read until the session ends, so that no other program's change comes between
    // (SErreurDonnees when another one holds it for more than a few seconds).
    CDoc& ouvrirPourModifier(const std::string& chemin);
    CDoc& document() { return *doc_; }
    // The catalogue's search state (what the search after an update works over).
    CContexte& contexte() { return contexte_; }
    // Saves the catalogue where it was opened (SErreurDonnees on failure).
    void enregistrer();

    CClasseur& classeur(const std::string& nom);
    CRequete& requete(const std::string& nom);
    // --binder NAME, or --query NAME with optional --folder PATH: the node, or none.
    CElement* noeud(const CArguments& args);

private:
    // A new document read by `lire`, its warnings told (SErreurDonnees when it fails).
    CDoc& charger(const std::string& chemin, const std::function<CResultat<>(CDoc&)>& lire);
    // Tells the user of a backup a stopped save left beside `chemin`.
    void avertir(const std::string& chemin);

    CContexte contexte_;
    std::unique_ptr<CDoc> doc_;
    CVerrouCatalogue verrou_;
};

// The options that name a node.
#define NORVANEL_OPTIONS_NOEUD {"binder", true}, {"query", true}, {"folder", true}
