#include "model/CContexte.h"

#include <algorithm>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "model/CResultatsComparaison.h"

CContexte& contexte()
{
    static CContexte instance;
    return instance;
}

void CContexte::oublier(const CElement* noeud)
{
    signalerDestruction(noeud);
    if (classeurCourant && static_cast<const CElement*>(classeurCourant) == noeud) {
        // The binder has already left its document's list: fall back on another
        // binder of the same document, so the new-query command still has one.
        CDoc* doc = classeurCourant->document();
        classeurCourant = doc ? doc->classeurs().elementA(0) : nullptr;
    }
    if (criteresRecherche.cible == noeud)
        criteresRecherche.cible = nullptr;
}

void CContexte::oublierRequete(const CRequete& requete)
{
    if (resultatsComparaison && resultatsComparaison->montre(requete)) {
        // Emptied first, so that the rows are gone before the files they point at.
        resultatsComparaison->vider();
        resultatsComparaison->montrerPaire(nullptr, nullptr);
    }
    oublier(static_cast<const CDossier*>(&requete));
}

void CContexte::oublierDocument(const CDoc* doc)
{
    documents.erase(std::remove(documents.begin(), documents.end(), doc), documents.end());
    oublier(doc);
    signalerChangementDocuments();
}
