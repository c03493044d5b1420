#include "workspace/OuvertureIndexGarde.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "search/IndexRapide.h"
#include "storage/Descripteur.h"
#include "storage/FichierCatalogue.h"
#include "storage/FichierOrdinaire.h"

CIndexGardeDocument::CIndexGardeDocument(std::shared_ptr<const SIndexGardeOuvert> index, const CDoc& doc)
    : index_(std::move(index))
{
    std::size_t k = 0;
    for (const CClasseur* c : doc.classeurs())
        for (const CRequete* q : c->requetes()) {
            if (k < index_->requetes.size() && index_->requetes[k].nom == q->nom())
                paires_.push_back({q->identifiant(), q->versionInstantane(), &index_->requetes[k]});
            ++k;
        }
}

std::unique_ptr<CIndexRapide> CIndexGardeDocument::indexDe(const CRequete& q) const
{
    for (const SPaire& p : paires_)
        if (p.identifiant == q.identifiant())
            return p.version == q.versionInstantane() ? CIndexRapide::surBlocs(p.gardee->blocs, q, index_) : nullptr;
    return nullptr;
}

SChargementAvecIndex chargerAvecIndexGarde(CDoc& doc, const std::string& chemin, const std::string& dossierCache)
{
    const SOuvertureLecture ouvert = ouvrirFichierOrdinaire(chemin);
    if (ouvert.probleme)
        return {chargerCatalogue(doc, chemin), nullptr};  // it says why
    const SDescripteur fd{ouvert.fd};
    const auto identite = dossierCache.empty() ? std::nullopt : identiteCatalogue(fd.fd);
    SChargementAvecIndex r{chargerCatalogue(doc, chemin, fd.fd), nullptr};
    // The index of what was read: the same file before and after.
    if (r.charge && identite && identiteCatalogue(fd.fd) == identite)
        if (std::shared_ptr<const SIndexGardeOuvert> index = ouvrirIndexGarde(dossierCache, chemin, *identite))
            r.index = std::make_shared<const CIndexGardeDocument>(std::move(index), doc);
    return r;
}
