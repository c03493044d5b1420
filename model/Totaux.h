#pragma once
// The counts the properties dialog shows: folders and files beneath a node (the node
// itself not counted) and their total size, which wraps at 2^32 like the stored sizes.

#include <cstdint>
#include <optional>

#include "model/CUtilisateur.h"

class CClasseur;
class CDossier;
class CElement;

struct STotaux {
    std::uint32_t dossiers = 0;
    std::uint32_t fichiers = 0;
    std::uint32_t taille = 0;
};

// Adds the node's sub-folders, files and (when its query stores sizes) their sizes.
void compter(const CDossier& dossier, STotaux& totaux);

// The volume, counts and size of a query or folder; the title is the caller's.
SProprietes proprietesDossier(const CDossier& dossier);

// Adds the counts and size of every query of a binder (no volume: queries differ).
void ajouterProprietes(const CClasseur& classeur, SProprietes& proprietes);

// What the properties dialog shows of a binder, a query or a folder, title included;
// none for another node.
std::optional<SProprietes> proprietesDe(CElement& noeud);
