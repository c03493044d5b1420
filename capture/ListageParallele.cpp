#include "capture/ListageParallele.h"

#include <algorithm>
#include <exception>

#include "capture/RegleScan.h"

namespace {

// Entries listed ahead of the builder before the workers wait for it (a few megabytes).
constexpr std::size_t kEntreesEnAvance = std::size_t{1} << 16;
// Folders held open in the queue, for each worker and in all: past that, a folder is
// opened again when its turn comes.
constexpr std::size_t kOuvertsParFil = 4;
constexpr std::size_t kOuvertsMax = 128;

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

CListageParallele::CListageParallele(const CRequete& q, const std::string& chemin, int fils)
    : q_(q), racine_(std::make_shared<SDossierLu>()), cheminRacine_(chemin),
      maxOuverts_(std::min(kOuvertsParFil * static_cast<std::size_t>(std::max(fils, 1)), kOuvertsMax))
{
    racine_->chemin = chemin;
    pile_.push_back(racine_);
    // The workers read the list of threads: it is complete before they start.
    std::lock_guard verrou(verrou_);
    try {
        fils_.reserve(static_cast<std::size_t>(fils));
        for (int i = 0; i < fils; ++i)
            fils_.emplace_back([this] { travailler(); });
    } catch (const std::exception&) {
        // Fewer threads than asked: the walk goes on with those there are, or on the
        // calling thread when there are none.
    }
}

CListageParallele::~CListageParallele() { arreter(); }

void CListageParallele::arreter()
{
    {
        std::lock_guard verrou(verrou_);
        arret_ = true;
        voulu_.reset();
    }
    travail_.notify_all();
    for (std::thread& t : fils_)
        t.join();
    fils_.clear();
}

void CListageParallele::travailler()
{
    for (;;) {
        std::shared_ptr<SDossierLu> d;
        {
            std::unique_lock verrou(verrou_);
            travail_.wait(verrou, [&] { return arret_ || (d = prendre()) != nullptr; });
            if (arret_)
                return;
        }
        try {
            traiter(d);
        } catch (...) {
            std::lock_guard verrou(verrou_);
            erreur_ = std::current_exception();
            arret_ = true;
            listes_.notify_all();
            travail_.notify_all();
            return;
        }
    }
}

std::shared_ptr<SDossierLu> CListageParallele::prendre()
{
    // The folder the builder waits for first, whatever is listed ahead.
    if (voulu_ && !voulu_->pris) {
        voulu_->pris = true;
        return voulu_;
    }
    if (enAvance_ >= kEntreesEnAvance)
        return nullptr;
    while (!pile_.empty()) {
        std::shared_ptr<SDossierLu> d = std::move(pile_.back());
        pile_.pop_back();
        if (!d->pris) {
            d->pris = true;
            return d;
        }
    }
    return nullptr;
}

void CListageParallele::traiter(const std::shared_ptr<SDossierLu>& d)
{
    const SDossierLu::EEtat etat = lister(*d);
    std::lock_guard verrou(verrou_);
    d->etat = etat;
    d->poids = d->entrees.size() + 1;
    enAvance_ += d->poids;
    if (voulu_ == d)
        voulu_.reset();
    // The first sub-folder on top: the workers keep near the builder's place. Without
    // workers, the builder asks for each folder in its turn.
    if (!fils_.empty())
        for (auto it = d->sousDossiers.rbegin(); it != d->sousDossiers.rend(); ++it)
            if ((*it)->etat == SDossierLu::EEtat::EnAttente)
                pile_.push_back(*it);
    listes_.notify_all();
    travail_.notify_all();
}

SDossierLu::EEtat CListageParallele::lister(SDossierLu& d)
{
    std::unique_ptr<CEnumeration> enumeration = std::move(d.ouvert);
    if (enumeration) {
        --ouverts_;
    } else if (!d.parents) {
        enumeration = plateforme().enumerer(d.chemin);
    } else {
        enumeration = rouvrir(d);
        if (enumeration && !aParcourir(enumeration->identite(), *d.parents))
            enumeration.reset();
    }
    if (!enumeration)
        return SDossierLu::EEtat::NonParcouru;

    const auto chaine = std::make_shared<const SChaineDossiers>(
        SChaineDossiers{enumeration->identite(), d.chemin, d.parents});
    SEntreeDossier e;
    while (!arret_.load(std::memory_order_relaxed) && enumeration->suivante(e)) {
        switch (genreEntree(e, q_, d.profondeur)) {
        case EGenreEntree::Ignoree:
            continue;
        case EGenreEntree::Fichier:
            break;
        case EGenreEntree::SousDossier: {
            auto sous = std::make_shared<SDossierLu>();
            sous->chemin = e.chemin;
            sous->profondeur = d.profondeur + 1;
            sous->parents = chaine;
            ouvrirSousDossier(*enumeration, *chaine, *sous, e);
            d.sousDossiers.push_back(std::move(sous));
            break;
        }
        }
        d.entrees.push_back(std::move(e));
    }
    return SDossierLu::EEtat::Lu;
}

void CListageParallele::ouvrirSousDossier(CEnumeration& parent, const SChaineDossiers& chaine, SDossierLu& sous,
                                          const SEntreeDossier& e)
{
    // Past the bound, left closed: the worker that lists it opens it again.
    if (ouverts_.fetch_add(1) >= maxOuverts_) {
        --ouverts_;
        return;
    }
    sous.ouvert = parent.ouvrirSousDossier(e);
    if (!sous.ouvert || !aParcourir(sous.ouvert->identite(), chaine)) {
        sous.ouvert.reset();
        --ouverts_;
        sous.etat = SDossierLu::EEtat::NonParcouru;
    }
}

std::unique_ptr<CEnumeration> CListageParallele::rouvrir(const SDossierLu& d) const
{
    // Name by name from the chosen folder, as the first walk went: no path too long to
    // open, no link followed, and a folder above that changed since stops it there.
    std::vector<const SChaineDossiers*> dessus;
    for (const SChaineDossiers* c = d.parents.get(); c != nullptr; c = c->parent.get())
        dessus.push_back(c);
    std::unique_ptr<CEnumeration> enumeration = plateforme().enumerer(cheminRacine_);
    if (!enumeration || dessus.empty() || !enumeration->identite().memeDossier(dessus.back()->identite))
        return nullptr;
    for (auto it = dessus.rbegin() + 1; it != dessus.rend(); ++it) {
        enumeration = ouvrirNomme(*enumeration, (*it)->chemin);
        if (!enumeration || !enumeration->identite().memeDossier((*it)->identite))
            return nullptr;
    }
    return ouvrirNomme(*enumeration, d.chemin);
}

bool CListageParallele::attendre(SDossierLu& d, std::chrono::milliseconds delai)
{
    std::unique_lock verrou(verrou_);
    if (d.etat == SDossierLu::EEtat::EnAttente && fils_.empty() && !d.pris) {
        // No worker could be started: the calling thread lists.
        d.pris = true;
        verrou.unlock();
        traiter(d.shared_from_this());
        verrou.lock();
    }
    if (d.etat == SDossierLu::EEtat::EnAttente && !erreur_) {
        if (voulu_.get() != &d) {
            voulu_ = d.shared_from_this();
            travail_.notify_all();
        }
        listes_.wait_for(verrou, delai, [&] { return d.etat != SDossierLu::EEtat::EnAttente || erreur_; });
    }
    if (erreur_)
        std::rethrow_exception(erreur_);
    if (d.etat == SDossierLu::EEtat::EnAttente)
        return false;
    const bool plein = enAvance_ >= kEntreesEnAvance;
    enAvance_ -= d.poids;
    d.poids = 0;
    if (plein && enAvance_ < kEntreesEnAvance)
        travail_.notify_all();
    return true;
}
