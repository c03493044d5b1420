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
// Folders a worker has open besides those held: the one it lists and, when it opens
// one again from the chosen folder, two along the way.
constexpr std::size_t kOuvertsParListage = 3;

// The threads and the folders held open, so that the pool never uses more than half
// the folders the process may open, whatever the tree: past the limit, a folder that
// could not be opened would be captured empty.
struct SBudget {
    std::size_t fils;
    std::size_t ouverts;
};

SBudget budget(int fils, std::size_t dossiersOuvertsMax)
{
    const std::size_t permis = dossiersOuvertsMax / 2;
    const std::size_t n = std::clamp<std::size_t>(permis / (2 * kOuvertsParListage), 1,
                                                  static_cast<std::size_t>(std::max(fils, 1)));
    const std::size_t restant = permis > n * kOuvertsParListage ? permis - n * kOuvertsParListage : 0;
    return {n, std::min({kOuvertsParFil * n, kOuvertsMax, restant})};
}

// Whether the folder `sous`, just opened below `parent`, is to be walked: not one of
// those open above it.
bool aParcourir(const SIdentiteDossier& sous, const SDossierLu& parent)
{
    return dossierAParcourir(sous, parent.identite, [&](auto&& trouve) {
        for (const SDossierLu* d = &parent; d != nullptr; d = d->parent)
            if (trouve(d->identite))
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

SDossierLu::SDossierLu(CDossier* d, SDossierLu* p)
    : dossier(d), parent(p), profondeur(p ? p->profondeur + 1 : 0)
{
}

SDossierLu::~SDossierLu() = default;

CListageParallele::CListageParallele(const CRequete& q, CDossier& racine, int fils)
    : q_(q), regle_(q), racine_(&racine, nullptr)
{
    const SBudget b = budget(fils, plateforme().dossiersOuvertsMax());
    maxOuverts_ = b.ouverts;
    ateliers_.resize(b.fils);
    pile_.push_back(&racine_);
    // The workers read the list of threads: it is complete before any of them starts.
    std::lock_guard verrou(verrou_);
    try {
        fils_.reserve(b.fils);
        for (std::size_t i = 0; i < b.fils; ++i)
            fils_.emplace_back([this, i] { travailler(ateliers_[i]); });
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
        courant_ = nullptr;
    }
    travail_.notify_all();
    for (std::thread& t : fils_)
        t.join();
    fils_.clear();
}

void CListageParallele::travailler(SAtelier& atelier)
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
            courant_ = d->dossier;
        }
        try {
            traiter(*d, atelier);
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

void CListageParallele::traiter(SDossierLu& d, SAtelier& atelier)
{
    const bool lu = lister(d, atelier);
    if (arret_)
        return;
    if (lu)
        ++dossiers_;
    else if (&d == &racine_)
        racineIllisible_ = true;  // read by the calling thread once the tree is done
    if (!d.sousDossiers.empty()) {
        d.attendus += d.sousDossiers.size();
        std::lock_guard verrou(verrou_);
        // The first sub-folder on top: taken first, as a depth-first walk would.
        for (auto it = d.sousDossiers.rbegin(); it != d.sousDossiers.rend(); ++it)
            pile_.push_back(it->get());
        if (d.sousDossiers.size() > 1)
            travail_.notify_all();
        else
            travail_.notify_one();
    }
    achever(&d, atelier);
}

void CListageParallele::achever(SDossierLu* d, SAtelier& atelier)
{
    // The last count of a folder: all below it is filed, and its own sub-folders go in.
    while (d != nullptr && d->attendus.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        for (std::unique_ptr<SDossierLu>& sous : d->sousDossiers) {
            std::unique_ptr<CDossier> noeud = std::move(sous->noeud);
            if (regle_.aGarder(*noeud))
                d->dossier->sousDossiers().ajouter(noeud.release());
            else
                atelier.rebuts.push_back(std::move(noeud));
        }
        d->sousDossiers.clear();
        d = d->parent;
    }
    if (d == nullptr) {
        std::lock_guard verrou(verrou_);
        fini_ = true;
        finis_.notify_all();
    }
}

bool CListageParallele::lister(SDossierLu& d, SAtelier& atelier)
{
    std::unique_ptr<CEnumeration> enumeration = ouvrir(d);
    if (!enumeration)
        return false;
    d.identite = enumeration->identite();
    SEntreeDossier e;
    std::uint32_t gardes = 0;
    while (!arret_.load(std::memory_order_relaxed) && enumeration->suivante(e)) {
        switch (genreEntree(e, q_, d.profondeur)) {
        case EGenreEntree::Ignoree:
            break;
        case EGenreEntree::Fichier:
            gardes += regle_.classerFichier(*d.dossier, e, atelier.brouillon);
            break;
        case EGenreEntree::SousDossier: {
            std::unique_ptr<CDossier> noeud(regle_.nouveauSousDossier(e));
            auto sous = std::make_unique<SDossierLu>(noeud.get(), &d);
            sous->noeud = std::move(noeud);
            d.sousDossiers.push_back(std::move(sous));
            break;
        }
        }
    }
    fichiers_ += gardes;
    garderOuvert(d, enumeration);
    return true;
}

std::unique_ptr<CEnumeration> CListageParallele::ouvrir(SDossierLu& d)
{
    if (!d.parent)
        return plateforme().enumerer(d.dossier->chemin());
    SDossierLu& parent = *d.parent;
    std::unique_ptr<CEnumeration> enumeration;
    if (parent.ouvert) {
        enumeration = ouvrirNomme(*parent.ouvert, d.dossier->chemin());
        // The last sub-folder to open closes it; the others are done with it by then.
        if (parent.aOuvrir.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            parent.ouvert.reset();
            --ouverts_;
        }
    } else {
        enumeration = rouvrir(d);
    }
    if (enumeration && !aParcourir(enumeration->identite(), parent))
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
    // Set before the sub-folders are queued, which publishes them.
    d.aOuvrir = d.sousDossiers.size();
    d.ouvert = std::move(enumeration);
}

std::unique_ptr<CEnumeration> CListageParallele::rouvrir(const SDossierLu& d) const
{
    // Name by name from the chosen folder, as the first walk went: no path too long to
    // open, no link followed, and a folder above that changed since stops it there.
    std::vector<const SDossierLu*> dessus;
    for (const SDossierLu* p = d.parent; p != nullptr; p = p->parent)
        dessus.push_back(p);
    std::unique_ptr<CEnumeration> enumeration = plateforme().enumerer(racine_.dossier->chemin());
    if (!enumeration || !enumeration->identite().memeDossier(racine_.identite))
        return nullptr;
    for (auto it = dessus.rbegin() + 1; it != dessus.rend(); ++it) {
        enumeration = ouvrirNomme(*enumeration, (*it)->dossier->chemin());
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
        verrou.unlock();
        traiter(*d, ateliers_.front());
        verrou.lock();
    }
    finis_.wait_for(verrou, delai, [&] { return fini_ || erreur_; });
    if (erreur_)
        std::rethrow_exception(erreur_);
    return fini_;
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
    // No node is destroyed while the workers run: the folder taken last is there.
    if (courant_)
        etat.dossierCourant = courant_->chemin();
}
