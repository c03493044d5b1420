#include "workspace/TravailComparaison.h"

#include "compare/Comparaison.h"
#include "model/CRequete.h"

namespace {

std::vector<CDoc*> documentsDe(CRequete& a, CRequete& b)
{
    std::vector<CDoc*> documents;
    if (a.document())
        documents.push_back(a.document());
    if (b.document() && b.document() != a.document())
        documents.push_back(b.document());
    return documents;
}

} // namespace

CTravailComparaison::CTravailComparaison(CRequete& premiere, CRequete& seconde, const SOptionsComparaison& options,
                                         std::function<CResultatsComparaison*()> liste,
                                         std::function<void(const SDecompteComparaison&)> fin)
    : CTravailMarques(documentsDe(premiere, seconde)), premiere_(premiere), seconde_(seconde), options_(options),
      liste_(std::move(liste)), fin_(std::move(fin))
{
}

std::vector<CDossier*> CTravailComparaison::dossiersMarques() const
{
    return {&premiere_, &seconde_};
}

void CTravailComparaison::passe(SAvancement& avancement)
{
    decompte_ = comparer(premiere_, seconde_, options_, &lignes_, &avancement);
}

void CTravailComparaison::livrer()
{
    if (CResultatsComparaison* liste = liste_ ? liste_() : nullptr) {
        liste->vider();
        for (const auto& [fichier, statut] : lignes_.lignes)
            liste->ajouterLigne(fichier, statut);
        liste->montrerPaire(&premiere_, &seconde_);
    }
    if (fin_)
        fin_(decompte_);
}
