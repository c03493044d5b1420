#include "compare/Comparaison.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "model/CResultatsComparaison.h"
#include "compare/StatutsComparaison.h"
#include "model/CDoc.h"
#include "model/CDossier.h"
#include "model/CObservateurDocument.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/PliCasse.h"
#include "model/HachageValeurs.h"
#include "model/Pouls.h"

namespace {

std::string_view lettresDe(const CFichier& f)
{
    // Never read past the array, even if a damaged entry lost its terminating zero.
    return {f.lettres, strnlen(f.lettres, sizeof f.lettres)};
}

// Equal for any two counterparts under the same options.
std::uint64_t hacherValeurs(const CFichier& f, const SOptionsComparaison& o)
{
    std::uint64_t h = 0;
    if (o.nom)
        h = enchainer(h, pli::hacherSansCasse(f.nom()));
    if (o.taille)
        h = enchainer(h, f.taille);
    if (o.cree)
        h = enchainerDateHeure(h, f.cree());
    if (o.modifie)
        h = enchainerDateHeure(h, f.modifie());
    if (o.accede)
        h = enchainerDate(h, f.accede());
    if (o.attributs)
        h = enchainer(h, pli::hacherSansCasse(lettresDe(f)));
    return h;
}

// The collection list of a query, in the order of the node operation: a folder's own
// files, then each sub-folder in turn. Kept in a vector (a million list cells would
// cost more than the whole comparison), with each file's key made on the way.
struct SCollecte {
    const SOptionsComparaison& options;
    std::vector<CFichier*> ordre;
    std::vector<SEntreeComparaison> entrees;
    CPouls pouls;

    void recueillir(const CDossier& dossier, bool seconde)
    {
        for (CFichier* f : dossier.fichiers()) {
            pouls();
            ordre.push_back(f);
            entrees.push_back({cleDeComparaison(hacherValeurs(*f, options), seconde), f});
        }
        for (const CDossier* s : dossier.sousDossiers())
            recueillir(*s, seconde);
    }
};

} // namespace

bool sontContreparties(const CFichier& x, const CFichier& y, const SOptionsComparaison& o)
{
    return (!o.nom || pli::egalSansCasse(x.nom(), y.nom())) && (!o.taille || x.taille == y.taille) &&
           (!o.cree || x.cree() == y.cree()) && (!o.modifie || x.modifie() == y.modifie()) &&
           (!o.accede || x.accede() == y.accede()) &&
           (!o.attributs || pli::egalSansCasse(lettresDe(x), lettresDe(y)));
}

SOptionsComparaison optionsApplicables(const CRequete& a, const CRequete& b, const SOptionsComparaison& o)
{
    SOptionsComparaison r = o;
    r.cree = o.cree && a.stockerCree && b.stockerCree;
    r.modifie = o.modifie && a.stockerModifie && b.stockerModifie;
    r.accede = o.accede && a.stockerAccede && b.stockerAccede;
    r.taille = o.taille && a.stockerTaille && b.stockerTaille;
    r.attributs = o.attributs && a.stockerAttributs && b.stockerAttributs;
    return r;
}

SDecompteComparaison comparer(CRequete& a, CRequete& b, const SOptionsComparaison& options,
                              CResultatsComparaison* resultats, SAvancement* avancement)
{
    if (resultats)
        resultats->vider();
    const SOptionsComparaison appliquees = optionsApplicables(a, b, options);
    SCollecte collecte{appliquees, {}, {}, CPouls(avancement)};
    collecte.recueillir(a, false);
    collecte.recueillir(b, true);
    const SDecompteComparaison decompte = deciderStatuts(collecte.entrees, appliquees, avancement);
    if (resultats) {
        for (CFichier* f : collecte.ordre) {
            collecte.pouls();
            resultats->ajouterLigne(f, f->marque);
        }
        resultats->montrerPaire(&a, &b);
    }
    return decompte;
}

void annoncerMarques(CRequete& a, CRequete& b)
{
    // Each document whose marks changed says so once.
    CDoc* docA = a.document();
    CDoc* docB = b.document();
    if (docA)
        docA->annoncer({EChangement::MarquesChangees});
    if (docB && docB != docA)
        docB->annoncer({EChangement::MarquesChangees});
}

SDecompteComparaison comparerRequetes(CRequete& a, CRequete& b, const SOptionsComparaison& options,
                                      CResultatsComparaison* resultats)
{
    const SDecompteComparaison decompte = comparer(a, b, options, resultats, nullptr);
    annoncerMarques(a, b);
    return decompte;
}
