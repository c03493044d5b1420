#pragma once
// What a quick search reads instead of the snapshot: each folder's path and each file's
// name already folded, the names end to end in one block, so a keystroke scans plain
// memory. Built from a query's snapshot; rebuilt when the snapshot changes.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "search/MotsRapides.h"

class CDossier;
class CFichier;
class CRequete;

class CIndexRapide {
public:
    explicit CIndexRapide(CRequete& requete);

    // The files whose folded path holds every word, in collection order. Stops early,
    // giving what it has, when `arret` becomes true.
    std::vector<CFichier*> chercher(const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret) const;

    std::size_t nombreFichiers() const { return fichiers_.size(); }
    // Bytes held, for the memory figures.
    std::size_t octets() const;

private:
    void ajouter(CDossier& dossier);

    std::vector<std::string> dossiers_;  // folded full paths
    std::string noms_;                   // folded names, end to end
    std::vector<std::uint32_t> debutNoms_;  // one per file, and the end
    std::vector<std::uint32_t> dossierDe_;
    std::vector<CFichier*> fichiers_;
};
