#include "workspace/CContexte.h"

#include <algorithm>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/CResultatsComparaison.h"
#include "model/CResultatsRecherche.h"

CContexte::~CContexte()
{
    for (CDoc* doc : documents)
        doc->retirerObservateur(this);
}

void CContexte::ajouterDocument(CDoc& doc)
{
    if (std::find(documents.begin(), documents.end(), &doc) != documents.end())
        return;
    documents.push_back(&doc);
    doc.ajouterObservateur(this);
    signalerChangementDocuments();
}

namespace {

// The queries a notice names, whole or by their snapshot.
std::vector<CRequete*> requetesNommees(const SChangement& c)
{
    CElement* racine = c.noeud;
    if (racine->codeType() == kTypeRequete)
        return {racine->requete()};
    std::vector<CRequete*> requetes;
    const auto ajouterDe = [&](CClasseur& classeur) {
        for (CRequete* q : classeur.requetes())
            requetes.push_back(q);
    };
    if (racine->codeType() == kTypeClasseur)
        ajouterDe(*racine->classeur());
    else if (CDoc* doc = racine->document(); doc == racine)
        for (CClasseur* classeur : doc->classeurs())
            ajouterDe(*classeur);
    return requetes;
}

void collecterFichiers(const CDossier& dossier, std::vector<const CFichier*>& fichiers)
{
    for (const CFichier* f : dossier.fichiers())
        fichiers.push_back(f);
    for (const CDossier* s : dossier.sousDossiers())
        collecterFichiers(*s, fichiers);
}

} // namespace

void CContexte::documentChange(const SChangement& c)
{
    if (c.quoi == EChangement::DocumentFerme) {
        if (CDoc* doc = c.noeud ? c.noeud->document() : nullptr) {
            doc->retirerObservateur(this);
            documents.erase(std::remove(documents.begin(), documents.end(), doc), documents.end());
            indexGardes.erase(doc);
        }
        signalerChangementDocuments();
        return;
    }
    if (c.quoi != EChangement::NoeudVaPartir && c.quoi != EChangement::InstantaneVaPartir) {
        signalerChangementDocuments();
        return;
    }
    if (!c.noeud)
        return;
    const std::vector<CRequete*> requetes = requetesNommees(c);
    // A comparison window showing a query that goes returns to its start state, rows
    // emptied first; the rows of every file that goes leave both windows.
    if (c.quoi == EChangement::NoeudVaPartir && resultatsComparaison)
        for (const CRequete* q : requetes)
            if (resultatsComparaison->montre(*q)) {
                resultatsComparaison->vider();
                resultatsComparaison->montrerPaire(nullptr, nullptr);
            }
    if (resultatsRecherche || resultatsComparaison) {
        std::vector<const CFichier*> partent;
        for (const CRequete* q : requetes)
            collecterFichiers(*q, partent);
        for (CListeResultats* liste : {static_cast<CListeResultats*>(resultatsRecherche),
                                       static_cast<CListeResultats*>(resultatsComparaison)})
            if (liste && !partent.empty())
                liste->retirerFichiers(partent);
    }

    if (criteresRecherche.cible && partAvec(*criteresRecherche.cible, c))
        criteresRecherche.cible = nullptr;
    if (classeurCourant && partAvec(*classeurCourant, c)) {
        // Another binder of the same document, so the new-query command still has one;
        // none when the document goes.
        CClasseur* reste = nullptr;
        if (CDoc* doc = classeurCourant->document(); doc && doc != c.noeud)
            for (CClasseur* autre : doc->classeurs())
                if (autre != classeurCourant) {
                    reste = autre;
                    break;
                }
        classeurCourant = reste;
    }
}


