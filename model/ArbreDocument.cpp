#include "model/ArbreDocument.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"

namespace {

void ajouterDossiers(const CDossier& dossier, std::vector<SItemArbre>& items)
{
    for (CDossier* d : dossier.sousDossiers())
        items.push_back({d, plateforme().dernierComposant(d->chemin()), kImageDossierFerme, kImageDossierOuvert});
}

} // namespace

std::vector<SItemArbre> itemsSous(CElement& noeud)
{
    std::vector<SItemArbre> items;
    switch (noeud.codeType()) {
    case kTypeAucun:
        if (CDoc* doc = noeud.document(); doc == &noeud)
            for (CClasseur* c : doc->classeurs())
                items.push_back({c, c->nom(), kImageDossierFerme, kImageDossierOuvert});
        break;
    case kTypeClasseur:
        for (CRequete* q : noeud.classeur()->requetes())
            items.push_back({static_cast<CDossier*>(q), q->nom(), kImageRequete, kImageRequeteSelection});
        break;
    case kTypeRequete:
    case kTypeDossier:
        // A query's folders show only with the document's sub-folders.
        if (const CDoc* doc = noeud.document(); doc && doc->afficherSousDossiers)
            ajouterDossiers(*noeud.commeDossier(), items);
        break;
    default:
        break;
    }
    return items;
}
