#include "platform/fake/CPlateformeFactice.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/CalendrierCivil.h"
#include "platform/Chemins.h"

namespace {

std::string parentDe(const std::string& chemin)
{
    const std::size_t sep = estCheminDos(chemin) ? chemin.find_last_of("\\/") : chemin.rfind('/');
    if (sep == std::string::npos)
        return {};
    if (sep == 0)
        return "/";
    // "C:\x" -> "C:\"
    if (sep == 2 && chemin[1] == ':')
        return chemin.substr(0, 3);
    return chemin.substr(0, sep);
}

bool sousChemin(const std::string& chemin, const std::string& racine)
{
    if (chemin == racine)
        return true;
    if (chemin.size() <= racine.size() || chemin.compare(0, racine.size(), racine) != 0)
        return false;
    const char fin = racine.back();
    const char suite = chemin[racine.size()];
    return fin == '/' || fin == '\\' || suite == '/' || suite == '\\';
}

} // namespace

class CPlateformeFactice::CEnumerationFactice : public CEnumeration {
public:
    CEnumerationFactice(CPlateformeFactice& p, std::string chemin, SIdentiteDossier identite,
                        std::vector<SEntreeDossier> entrees, std::optional<SEchecLecture> echec)
        : p_(p), chemin_(std::move(chemin)), identite_(identite), entrees_(std::move(entrees)), echec_(echec)
    {
    }
    bool suivante(SEntreeDossier& e) override
    {
        if (echec_ && i_ >= echec_->apres) {
            erreur_ = echec_->erreur;
            return false;
        }
        if (i_ >= entrees_.size())
            return false;
        e = entrees_[i_++];
        return true;
    }
    int erreur() const override { return erreur_; }
    SIdentiteDossier identite() const override { return identite_; }
    std::unique_ptr<CEnumeration> ouvrirSousDossier(const SEntreeDossier& e, int* erreur = nullptr) override
    {
        // Like the real one: only an entry of this very folder.
        if (parentDe(e.chemin) != chemin_) {
            if (erreur)
                *erreur = ENOENT;
            return nullptr;
        }
        return p_.ouvrirNote(e.chemin, p_.ouverturesRelatives, erreur);
    }
    std::unique_ptr<CEnumeration> ouvrirParent(int* erreur = nullptr) override
    {
        const std::string parent = parentDe(chemin_);
        return p_.ouvrirNote(parent.empty() ? chemin_ : parent, p_.ouverturesParents, erreur);
    }

private:
    CPlateformeFactice& p_;
    std::string chemin_;
    SIdentiteDossier identite_;
    std::vector<SEntreeDossier> entrees_;
    std::optional<SEchecLecture> echec_;
    std::size_t i_ = 0;
    int erreur_ = 0;
};

void CPlateformeFactice::lierAuParent(const std::string& chemin)
{
    const std::string parent = parentDe(chemin);
    if (parent.empty() || parent == chemin)
        return;
    if (!noeuds_.count(parent))
        ajouterDossier(parent);
    auto& enfants = noeuds_[parent].enfants;
    if (std::find(enfants.begin(), enfants.end(), chemin) == enfants.end())
        enfants.push_back(chemin);
}

void CPlateformeFactice::ajouterDossier(const std::string& chemin, std::uint32_t attributs)
{
    SNoeud& n = noeuds_[chemin];
    if (n.identite.inode == 0)
        n.identite = SIdentiteDossier{1, ++dernierInode_, false};
    n.entree.chemin = chemin;
    n.entree.attributs = attributs | kAttrDossier;
    n.entree.creation = n.entree.acces = n.entree.ecriture = tempsDefaut;
    lierAuParent(chemin);
}

SEntreeDossier& CPlateformeFactice::ajouterFichier(const std::string& chemin, std::uint64_t taille,
                                                   std::uint32_t attributs)
{
    lierAuParent(chemin);
    SNoeud& n = noeuds_[chemin];
    n.entree.chemin = chemin;
    n.entree.attributs = attributs & ~std::uint32_t(kAttrDossier);
    n.entree.taille = taille;
    n.entree.creation = n.entree.acces = n.entree.ecriture = tempsDefaut;
    return n.entree;
}

void CPlateformeFactice::supprimer(const std::string& chemin)
{
    for (auto it = noeuds_.begin(); it != noeuds_.end();)
        it = sousChemin(it->first, chemin) ? noeuds_.erase(it) : std::next(it);
    const std::string parent = parentDe(chemin);
    if (auto it = noeuds_.find(parent); it != noeuds_.end()) {
        auto& e = it->second.enfants;
        e.erase(std::remove(e.begin(), e.end(), chemin), e.end());
    }
}

void CPlateformeFactice::ajouterRacine(const std::string& racine)
{
    lecteurs_[racine];
    if (!noeuds_.count(racine))
        ajouterDossier(racine);
}

void CPlateformeFactice::insererDisque(const std::string& racine, const std::string& nom, std::uint32_t serie)
{
    ajouterRacine(racine);
    lecteurs_[racine] = SLecteur{true, SVolume{nom, serie}};
}

void CPlateformeFactice::retirerDisque(const std::string& racine)
{
    lecteurs_[racine].present = false;
}

bool CPlateformeFactice::accessible(const std::string& chemin) const
{
    auto it = lecteurs_.find(racine(chemin));
    return it == lecteurs_.end() || it->second.present;
}

std::unique_ptr<CEnumeration> CPlateformeFactice::enumerer(const std::string& dossier, int* erreur)
{
    return ouvrirNote(dossier, ouverturesParChemin, erreur);
}

std::unique_ptr<CEnumeration> CPlateformeFactice::ouvrirNote(const std::string& dossier,
                                                             std::vector<std::string>& journal, int* erreur)
{
    {
        std::lock_guard verrou(ouverturesVerrou_);
        journal.push_back(dossier);
        filsDesOuvertures.push_back(std::this_thread::get_id());
    }
    const auto echouer = [&](int code) -> std::unique_ptr<CEnumeration> {
        if (erreur)
            *erreur = code;
        return nullptr;
    };
    auto it = noeuds_.find(dossier);
    if (it == noeuds_.end() || !accessible(dossier))
        return echouer(ENOENT);
    if (!(it->second.entree.attributs & kAttrDossier))
        return echouer(ENOTDIR);
    if (auto echec = echecsOuverture_.find(dossier); echec != echecsOuverture_.end())
        return echouer(echec->second);
    std::vector<SEntreeDossier> entrees;
    SEntreeDossier point = it->second.entree;
    point.chemin = ajouterAuChemin(dossier, ".");
    entrees.push_back(point);
    point.chemin = ajouterAuChemin(dossier, "..");
    entrees.push_back(point);
    for (const std::string& enfant : it->second.enfants)
        entrees.push_back(noeuds_.at(enfant).entree);
    std::optional<SEchecLecture> echec;
    if (auto e = echecsLecture_.find(dossier); e != echecsLecture_.end())
        echec = e->second;
    return std::make_unique<CEnumerationFactice>(*this, dossier, it->second.identite, std::move(entrees), echec);
}

SCalendrier CPlateformeFactice::versHeureLocale(TempsFichier t) const
{
    return calendrierSansDecalage(t / 10000000 - kSecondes1601a1970 + decalageSecondes);
}

std::string CPlateformeFactice::texteDate(std::uint32_t jour, std::uint32_t mois, std::uint32_t annee) const
{
    char texte[64];
    std::snprintf(texte, sizeof texte, "%02u/%02u/%04u", jour, mois, annee);
    return texte;
}

std::string CPlateformeFactice::texteHeure(std::uint32_t heure, std::uint32_t minute) const
{
    char texte[64];
    std::snprintf(texte, sizeof texte, "%02u:%02u", heure, minute);
    return texte;
}

std::string CPlateformeFactice::racine(const std::string& chemin) const
{
    std::string meilleure;
    for (const auto& [r, lecteur] : lecteurs_)
        if (sousChemin(chemin, r) && r.size() > meilleure.size())
            meilleure = r;
    if (!meilleure.empty())
        return meilleure;
    if (estCheminDos(chemin))
        return racineDos(chemin);
    return "/";
}

std::optional<SVolume> CPlateformeFactice::infoVolume(const std::string& racine)
{
    auto it = lecteurs_.find(racine);
    if (it == lecteurs_.end() || !it->second.present)
        return std::nullopt;
    return it->second.volume;
}

bool CPlateformeFactice::existe(const std::string& chemin) const
{
    return noeuds_.count(chemin) && accessible(chemin);
}

bool CPlateformeFactice::ouvrir(const std::string& chemin, std::function<void()> echec)
{
    tentativesOuverture.push_back(chemin);
    if (!noeuds_.count(chemin) || !accessible(chemin) || inouvrables.count(chemin))
        return false;
    if (echouentApres.count(chemin))
        echecsEnAttente.push_back(std::move(echec));
    else
        ouvertures.push_back(chemin);
    return true;
}
