#include "search/Recherche.h"

#include <cstring>
#include <vector>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "model/CCriteres.h"
#include "model/CriteresFichier.h"
#include "search/Doublons.h"
#include "model/Pouls.h"

namespace {

// Calls `f` on every file a results step works on: the whole subtree for a capture
// filter; for a search, only the folders the match pass entered.
template <typename Fonction>
void pourChaqueFichierCollecte(CDossier& d, const CCriteres& c, bool filtreCapture, Fonction&& f)
{
    if (!filtreCapture && c.rechercherDossiersCaches == 0 && d.estCache())
        return;
    for (CFichier* x : d.fichiers())
        f(x);
    if (!filtreCapture && c.rechercherSousDossiers == 0)
        return;
    for (CDossier* s : d.sousDossiers())
        pourChaqueFichierCollecte(*s, c, filtreCapture, f);
}

// Found mark 1 on every file of `d` and beneath, except beneath `cible`, whose marks
// the match pass decides.
void marquerHorsCible(CDossier& d, const CElement* cible)
{
    if (static_cast<const CElement*>(&d) == cible)
        return;
    for (CFichier* f : d.fichiers())
        f->marque = 1;
    for (CDossier* s : d.sousDossiers())
        marquerHorsCible(*s, cible);
}

void marquerHorsCible(CDoc& doc, const CElement* cible)
{
    if (static_cast<const CElement*>(&doc) == cible)
        return;
    for (CClasseur* c : doc.classeurs())
        if (static_cast<const CElement*>(c) != cible)
            for (CRequete* q : c->requetes())
                marquerHorsCible(*q, cible);
}

} // namespace

namespace {

void passeCorrespondance(CDossier& d, const CCriteres& c, CPouls& pouls)
{
    if (c.rechercherDossiersCaches == 0 && d.estCache()) {
        d.marquerTousTrouves();
        return;
    }
    const CRequete* q = d.requete();
    if (!q)
        return;
    for (CFichier* f : d.fichiers()) {
        f->marque = testerFichier(*f, c, *q) ? 1 : 0;
        pouls();
    }
    for (CDossier* s : d.sousDossiers()) {
        // A folder the pass does not enter keeps the marks of a reset.
        if (c.rechercherSousDossiers == 0)
            s->marquerTousTrouves();
        else
            passeCorrespondance(*s, c, pouls);
    }
}

} // namespace

void passeCorrespondance(CDossier& d, const CCriteres& c, SAvancement* avancement)
{
    CPouls pouls(avancement);
    passeCorrespondance(d, c, pouls);
}

void etapeResultatsRequete(CDossier& d, const CCriteres& c, CResultatsRecherche* resultats, SAvancement* avancement)
{
    const bool filtreCapture = c.portee == kPorteeFiltreCapture;
    // Without duplicates, a capture filter has nothing left to do: the walk already
    // kept only the files that pass the test.
    if (filtreCapture && !c.doublons)
        return;
    if (c.doublons) {
        std::vector<CFichier*> liste;
        pourChaqueFichierCollecte(d, c, filtreCapture, [&liste](CFichier* f) { liste.push_back(f); });
        passeDoublons(liste, c, avancement);
        if (filtreCapture) {
            filtrerCapture(d, c);
            return;
        }
        CPouls pouls(avancement);
        if (resultats)
            for (CFichier* f : liste) {
                if (f->marque != 0)
                    resultats->ajouterLigne(f);
                pouls();
            }
    } else if (resultats) {
        CPouls pouls(avancement);
        pourChaqueFichierCollecte(d, c, false, [resultats, &pouls](CFichier* f) {
            if (f->marque != 0)
                resultats->ajouterLigne(f);
            pouls();
        });
    }
    if (resultats)
        resultats->retrier();
}

namespace {

// Each query or folder beneath `noeud` (a document, a binder, a query or a folder) whose
// files a search walks as one: a query holds its folders.
template <class F>
void pourChaqueDossier(CElement& noeud, F&& f)
{
    if (CDossier* d = noeud.commeDossier()) {
        f(*d);
    } else if (noeud.codeType() == kTypeClasseur) {
        for (CRequete* q : noeud.classeur()->requetes())
            f(static_cast<CDossier&>(*q));
    } else if (CDoc* doc = noeud.document(); doc && static_cast<CElement*>(doc) == &noeud) {
        for (CClasseur* c : doc->classeurs())
            for (CRequete* q : c->requetes())
                f(static_cast<CDossier&>(*q));
    }
}

} // namespace

void appliquerCriteres(CElement& noeud, const CCriteres& criteres, SAvancement* avancement)
{
    pourChaqueDossier(noeud, [&](CDossier& d) { passeCorrespondance(d, criteres, avancement); });
}

void executerCriteres(CElement& noeud, const CCriteres& criteres, CResultatsRecherche* resultats,
                      SAvancement* avancement)
{
    pourChaqueDossier(noeud, [&](CDossier& d) { etapeResultatsRequete(d, criteres, resultats, avancement); });
}

void rechercher(const CCriteres& criteres, const std::vector<CDoc*>& documents, CResultatsRecherche* resultats,
                SAvancement* avancement)
{
    CElement* cible = criteres.cible;
    // Every file found, but those the match pass is about to decide: the end state is
    // the same, and a million-file search walks its files once less.
    for (CDoc* doc : documents)
        marquerHorsCible(*doc, cible);
    if (cible) {
        if (resultats)
            resultats->vider();
        appliquerCriteres(*cible, criteres, avancement);
        executerCriteres(*cible, criteres, resultats, avancement);
    }
}

namespace {

// The results list of a search, counting the rows it is given on their way: the
// status bar learns the count without a walk of its own over the found files.
class CCompteTrouves final : public CResultatsRecherche {
public:
    explicit CCompteTrouves(CResultatsRecherche* liste) : liste_(liste) {}
    std::size_t nombre() const { return nombre_; }

    void vider() override
    {
        nombre_ = 0;
        if (liste_)
            liste_->vider();
    }
    void ajouterLigne(CFichier* fichier) override
    {
        ++nombre_;
        if (liste_)
            liste_->ajouterLigne(fichier);
    }
    void retrier() override
    {
        if (liste_)
            liste_->retrier();
    }
    void retirerFichier(const CFichier* fichier) override
    {
        if (liste_)
            liste_->retirerFichier(fichier);
    }

private:
    CResultatsRecherche* liste_;
    std::size_t nombre_ = 0;
};

} // namespace

std::size_t executerRecherche(const CCriteres& criteres, const std::vector<CDoc*>& documents,
                              CResultatsRecherche* resultats)
{
    CCompteTrouves compte(resultats);
    rechercher(criteres, documents, &compte, nullptr);
    for (CDoc* doc : documents)
        doc->annoncer({EChangement::MarquesChangees});
    return compte.nombre();
}
