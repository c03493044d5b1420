#include "workspace/TravailCalcul.h"

#include "model/CDoc.h"
#include "model/CObservateurDocument.h"

std::vector<const CDoc*> CTravailMarques::documents() const
{
    return {documents_.begin(), documents_.end()};
}

void CTravailMarques::calculer(SAvancement& avancement)
{
    try {
        for (CDossier* d : dossiersMarques())
            sauvees_.relever(*d);
    } catch (...) {
        // Short of memory before any mark changed.
        erreur_ = std::current_exception();
        return;
    }
    try {
        passe(avancement);
    } catch (const SPasseAnnulee&) {
        annule_ = true;
        sauvees_.retablir();
    } catch (...) {
        erreur_ = std::current_exception();
        sauvees_.retablir();
    }
}

void CTravailMarques::terminer()
{
    for (CDoc* doc : documents_)
        doc->annoncer({EChangement::MarquesChangees});
    if (erreur_)
        std::rethrow_exception(erreur_);
    if (!annule_)
        livrer();
}
