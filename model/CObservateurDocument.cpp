#include "model/CObservateurDocument.h"

#include "model/CElement.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"

namespace {

// A file answers only for its query: the binder and the document are its query's.
const CElement* classeurDe(const CElement& n)
{
    if (const CElement* c = n.classeur())
        return c;
    const CRequete* q = n.requete();
    return q ? q->classeur() : nullptr;
}

const CDoc* documentDe(const CElement& n)
{
    if (const CDoc* d = n.document())
        return d;
    const CRequete* q = n.requete();
    return q ? q->document() : nullptr;
}

} // namespace

// Folders keep no parent: a node is placed by the binder, query and document it
// belongs to, which every node answers.
bool partAvec(const CElement& noeud, const SChangement& changement)
{
    const CElement* racine = changement.noeud;
    if (!racine)
        return false;
    switch (changement.quoi) {
    case EChangement::InstantaneVaPartir:
        return &noeud != racine && noeud.requete() == racine->requete();
    case EChangement::NoeudVaPartir:
        if (&noeud == racine)
            return true;
        switch (racine->codeType()) {
        case kTypeClasseur:
            return classeurDe(noeud) == racine;
        case kTypeRequete:
            return noeud.requete() == racine->requete();
        case kTypeDossier:
            return false;
        default:
            return racine->document() && documentDe(noeud) == racine->document();
        }
    default:
        return false;
    }
}
