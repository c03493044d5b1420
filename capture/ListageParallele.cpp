#include "capture/ListageParallele.h"

#include <algorithm>
#include <exception>

#include "model/CDossier.h"
#include "model/CFichier.h"

namespace {

// Folders held open for the sub-folders they queued, for each worker and in all: a
// few times the depth of most trees.
constexpr std::size_t kOuvertsParFil = 16;
constexpr std::size_t kOuvertsMax = 256;

bool aParcourir(const SIdentiteDossier& sous, const SChaineDossiers& parent)
{
    return dossierAParcourir(sous, parent.identite, [&](auto&& trouve) {
        for (const SChaineDossiers* c = &parent; c != nullptr; c = c->parent.get())
            if (trouve(c->identite))
                return true;
        return false;
    });
}

std::unique_ptr<CEnumeration> ouvrirNomme(CEnumeration& parent, const std::string& chemin)
{
    SEntreeDossier e;
    e.chemin = chemin;
    e.attributs = kAttrDossier;
    return parent.ouvrirSousDossier(e);
}

} // namespace

SDossierLu::SDossierLu(CDossier* d, std::unique_ptr<CDossier> propre) : dossier(d), noeud(std::move(propre)) {}

SDossierLu::~SDossierLu() = default;

CListageParallele::CListageParallele(const CRequete& q, CDossier& racine, int fils)
    : q_(q), regle_(q), racine_(&racine, nullptr),
      maxOuverts_(std::min(kOuvertsParFil * static_cast<std::size_t>(std::max(fils, 1)), kOuvertsMax))
{
    pile_.push_back(&racine_);
    brouillons_.resize(static_cast<std::size_t>(std::max(fils, 1)));
    // The workers read the list of threads: it is complete before any of them starts.
    std::lock_guard verrou(verrou_);
    try {
        fils_.reserve(static_cast<std::size_t>(fils));
        for (int i = 0; i < fils; ++i)
            fils_.emplace_back([this, i] { travailler(brouillons_[static_cast<std::size_t>(i)]); });
    } catch (const std::exception&) {
        // Fewer threads than asked: the walk goes on with those there are, or on the
        // calling thread when there are none.
    }
}

CListageParallele::~CListageParallele()
{
    arreter();
    // Before the count of open folders goes, as their closing counts them down.
    racine_.sousDossiers.clear();
}

void CListageParallele::arreter()
{
    {
        std::lock_guard verrou(verrou_);
        arret_ = true;
    }
    travail_.notify_all();
    for (std::thread& t : fils_)
        t.join();
    fils_.clear();
}

void CListageParallele::travailler(std::unique_ptr<CFichier>& brouillon)
{
    for (;;) {
        SDossierLu* d = nullptr;
        {
            std::unique_lock verrou(verrou_);
            travail_.wait(verrou, [&] { return arret_ || !pile_.empty(); });
            if (arret_)
                return;
            d = pile_.back();
            pile_.pop_back();
            ++actifs_;
            courant_ = d->dossier;
        }
        try {
            traiter(*d, brouillon);
        } catch (...) {
            std::lock_guard verrou(verrou_);
            erreur_ = std::current_exception();
            arret_ = true;
            finis_.notify_all();
            travail_.notify_all();
            return;
        }
    }
}

void CListageParallele::traiter(SDossierLu& d, std::unique_ptr<CFichier>& brouillon)
{
    d.etat = lister(d, brouillon);
    if (d.etat == SDossierLu::EEtat::Lu)
        ++dossiers_;
    std::lock_guard verrou(verrou_);
    --actifs_;
    // The first sub-folder on top: taken first, as a depth-first walk would.
    std::size_t ajoutes = 0;
    for (auto it = d.sousDossiers.rbegin(); it != d.sousDossiers.rend(); ++it)
        if ((*it)->etat == SDossierLu::EEtat::EnAttente) {
            pile_.push_back(it->get());
            ++ajoutes;
        }
    if (ajoutes > 1)
        travail_.notify_all();
    else if (ajoutes == 1)
        travail_.notify_one();
    if (fini())
        finis_.notify_all();
}

SDossierLu::EEtat CListageParallele::lister(SDossierLu& d, std::unique_ptr<CFichier>& brouillon)
{
    std::unique_ptr<CEnumeration> enumeration = ouvrir(d);
    if (!enumeration)
        return SDossierLu::EEtat::NonParcouru;

    const auto chaine = std::make_shared<const SChaineDossiers>(
        SChaineDossiers{enumeration->identite(), d.dossier->chemin(), d.parents});
    SEntreeDossier e;
    std::uint32_t gardes = 0;
    while (!arret_.load(std::memory_order_relaxed) && enumeration->suivante(e)) {
        switch (genreEntree(e, q_, d.profondeur)) {
        case EGenreEntree::Ignoree:
            break;
        case EGenreEntree::Fichier:
            gardes += regle_.classerFichier(*d.dossier, e, brouillon);
            break;
        case EGenreEntree::SousDossier: {
            auto sous = std::make_unique<SDossierLu>(nullptr, std::unique_ptr<CDossier>(regle_.nouveauSousDossier(e)));
            sous->dossier = sous->noeud.get();
            sous->profondeur = d.profondeur + 1;
            sous->parents = chaine;
            d.sousDossiers.push_back(std::move(sous));
            break;
        }
        }
    }
    fichiers_ += gardes;
    garderOuvert(d, enumeration);
    return SDossierLu::EEtat::Lu;
}

std::unique_ptr<CEnumeration> CListageParallele::ouvrir(SDossierLu& d) const
{
    if (!d.parents)
        return plateforme().enumerer(d.dossier->chemin());
    std::unique_ptr<CEnumeration> enumeration;
    if (d.dossierParent) {
        enumeration = ouvrirNomme(*d.dossierParent, d.dossier->chemin());
        d.dossierParent.reset();
    } else {
        enumeration = rouvrir(d);
    }
    if (enumeration && !aParcourir(enumeration->identite(), *d.parents))
        enumeration.reset();
    return enumeration;
}

void CListageParallele::garderOuvert(SDossierLu& d, std::unique_ptr<CEnumeration>& enumeration)
{
    if (d.sousDossiers.empty() || arret_)
        return;
    // Past the bound, closed: each sub-folder is opened again from the chosen folder.
    if (ouverts_.fetch_add(1) >= maxOuverts_) {
        --ouverts_;
        return;
    }
    const std::shared_ptr<CEnumeration> partage(enumeration.release(), [this](CEnumeration* ouvert) {
        delete ouvert;
        --ouverts_;
    });
    for (const std::unique_ptr<SDossierLu>& sous : d.sousDossiers)
        sous->dossierParent = partage;
}

std::unique_ptr<CEnumeration> CListageParallele::rouvrir(const SDossierLu& d) const
{
    // Name by name from the chosen folder, as the first walk went: no path too long to
    // open, no link followed, and a folder above that changed since stops it there.
    std::vector<const SChaineDossiers*> dessus;
    for (const SChaineDossiers* c = d.parents.get(); c != nullptr; c = c->parent.get())
        dessus.push_back(c);
    std::unique_ptr<CEnumeration> enumeration = plateforme().enumerer(racine_.dossier->chemin());
    if (!enumeration || dessus.empty() || !enumeration->identite().memeDossier(dessus.back()->identite))
        return nullptr;
    for (auto it = dessus.rbegin() + 1; it != dessus.rend(); ++it) {
        enumeration = ouvrirNomme(*enumeration, (*it)->chemin);
        if (!enumeration || !enumeration->identite().memeDossier((*it)->identite))
            return nullptr;
    }
    return ouvrirNomme(*enumeration, d.dossier->chemin());
}

bool CListageParallele::attendre(std::chrono::milliseconds delai)
{
    std::unique_lock verrou(verrou_);
    // No worker could be started: the calling thread lists.
    while (fils_.empty() && !pile_.empty()) {
        SDossierLu* d = pile_.back();
        pile_.pop_back();
        ++actifs_;
        verrou.unlock();
        traiter(*d, brouillons_.front());
        verrou.lock();
    }
    finis_.wait_for(verrou, delai, [&] { return fini(); });
    if (erreur_)
        std::rethrow_exception(erreur_);
    return fini();
}

void CListageParallele::attendre()
{
    while (!attendre(std::chrono::hours(1))) {
    }
}

void CListageParallele::progression(SProgressionCapture& etat)
{
    etat.dossiers = dossiers_;
    etat.fichiers = fichiers_;
    std::lock_guard verrou(verrou_);
    // A node is dropped only once the workers are done: the folder taken last is there.
    if (courant_)
        etat.dossierCourant = courant_->chemin();
}

void CListageParallele::classer()
{
    {
        std::lock_guard verrou(verrou_);
        courant_ = nullptr;  // it may go now
    }
    classer(racine_);
}

void CListageParallele::classer(SDossierLu& d)
{
    for (std::unique_ptr<SDossierLu>& sous : d.sousDossiers) {
        classer(*sous);
        regle_.classerSousDossier(*d.dossier, sous->noeud.release());
        sous.reset();
    }
    d.sousDossiers.clear();
}
