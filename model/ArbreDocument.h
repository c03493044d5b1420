#pragma once
// What a document's tree shows: binders at the root, their queries beneath, and the
// folders of each query when the document shows sub-folders. The views build their
// items from this; the nodes know nothing of them.

#include <string>
#include <vector>

class CElement;

// Images of the tree's image list.
enum EImageArbre : int {
    kImageDossierFerme = 0,
    kImageDossierOuvert = 1,
    kImageRequete = 2,
    kImageRequeteSelection = 3,
};

struct SItemArbre {
    CElement* noeud = nullptr;
    std::string libelle;
    int image = kImageDossierFerme;
    int imageSelection = kImageDossierOuvert;
};

// The items directly beneath `noeud` (the document: its binders), in the document's
// order; the tree sorts them by label.
std::vector<SItemArbre> itemsSous(CElement& noeud);
