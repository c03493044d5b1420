#include "capture/ListageParallele.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>

#include "capture/RegleScan.h"
#include "model/Arene.h"
#include "model/CDossier.h"
#include "model/CFichier.h"
#include "platform/CPlateforme.h"

namespace {

// Folders held open for the sub-folders they queued, for each worker and in all: a
// few times the depth of most trees.
constexpr std::size_t kOuvertsParFil = 16;
constexpr std::size_t kOuvertsMax = 256;
// Folders a worker has open besides those held: the one it listed last, and two on its
// way to the next one, or that one and the folder it is opened from.
constexpr std::size_t kOuvertsParListage = 3;
// How long a stopped walk waits for its workers to end before it leaves those still
// waiting in the system to end on their own: they only have to come back from their
// current call.
constexpr auto kAttenteFinFils = std::chrono::milliseconds(250);

// The threads and the folders held open, so that the pool never uses more than half
// the folders the process may open, whatever the tree: past the limit, a folder that
// could not be opened would stop the capture.
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

SEntreeDossier entreeDossier(const std::string& chemin)
{
    SEntreeDossier e;
    e.chemin = chemin;
    e.attributs = kAttrDossier;
    return e;
}

// One folder of the walk: what it takes to list it, then what listing it gave.
struct SDossierLu {
    SDossierLu(CDossier* d, SDossierLu* p) : dossier(d), parent(p), profondeur(p ? p->profondeur + 1 : 0) {}

    CDossier* const dossier;           // the node its files go to
    std::unique_ptr<CDossier> noeud;   // that node until it is filed; nullptr for the chosen folder
    SDossierLu* const parent;          // listed, and there until this one is filed; nullptr for the chosen folder
    const int profondeur;              // the chosen folder is 0
    SIdentiteDossier identite;         // once opened
    // Held open once listed, while sub-folders wait to be opened from it; taken from
    // another worker or let go under the pool's lock.
    std::shared_ptr<CEnumeration> ouvert;
    std::atomic<std::size_t> aOuvrir{0};   // sub-folders still to open from `ouvert`
    // Its own listing, each sub-folder not yet filed, and each worker whose cursor
    // starts from it: the last one done files them.
    std::atomic<std::size_t> attendus{1};
    std::vector<std::unique_ptr<SDossierLu>> sousDossiers;  // in the system's order
};

// Where a folder failed to open: the folder, and why.
struct SEchecOuverture {
    int erreur = 0;
    const SDossierLu* dossier = nullptr;
};

} // namespace

class CListageParallele::CPartage {
public:
    CPartage(const CRequete& q, CDossier& racine, SBudget b)
        : q_(q), regle_(q), maxOuverts_(b.ouverts), ateliers_(b.fils), racine_(&racine, nullptr)
    {
        pile_.push_back(&racine_);
        // Each worker files its entries in an arena of its own, which the snapshot keeps.
        for (SAtelier& a : ateliers_) {
            a.arene = std::make_shared<CArene>();
            racine.arene().retenir(a.arene);
        }
    }
    ~CPartage();

    // A worker's life; `i`: its workshop.
    void travailler(std::size_t i);
    // With no worker, the calling thread lists the whole tree.
    void listerSurCeFil();
    bool attendre(std::chrono::milliseconds delai);
    void progression(SProgressionCapture& etat);

    // Stops the walk; once it returns, no worker touches a node or the query again.
    void arreter();
    // Destroys, on the calling thread, every node the walk holds; the walk is stopped.
    void detruireNoeuds();
    // Waits at most `delai` for the first `n` workers to end; whether each did.
    std::vector<bool> attendreFins(std::size_t n, std::chrono::milliseconds delai);

    bool racineIllisible() const { return racineIllisible_; }
    bool echec() const
    {
        std::lock_guard verrou(verrou_);
        return !bilan_.dossierEnErreur.empty();
    }
    void bilan(SBilanCapture& b) const
    {
        std::lock_guard verrou(verrou_);
        b.dossierEnErreur = bilan_.dossierEnErreur;
        b.erreur = bilan_.erreur;
        b.dossiersTropProfonds = tropProfonds_;
    }

private:
    // The folder a worker listed last, kept open to reach the next one from: it lies
    // `montees` levels below `ancre`, a folder above it that still had sub-folders to
    // list, and that the cursor keeps from being filed (one of its counts), so that it
    // and all above it stay there while the cursor is.
    struct SCurseur {
        std::unique_ptr<CEnumeration> ouvert;  // nullptr once used up
        SDossierLu* ancre = nullptr;
        int montees = 0;
    };
    // What each worker keeps for itself.
    struct SAtelier {
        // Where the worker makes its entries; first, as the rejected folders below may
        // still hold some of them when the workshop goes.
        std::shared_ptr<CArene> arene;
        // Held by the worker while it runs the capture's code, let go while it waits in
        // the system: whoever takes it once the walk is stopped knows that the worker no
        // longer touches a node.
        std::mutex occupe;
        std::unique_lock<std::mutex> tenue;  // the worker's hold on `occupe`
        bool fini = false;                   // under the pool's lock
        SCurseur curseur;
        std::vector<std::unique_ptr<CDossier>> rebuts;  // dropped by the empty-folder rule
    };
    enum class EListage { Lu, NonLu, Arrete };

    // Runs `appel`, which may wait in the system as long as the file system takes,
    // with the worker's hold let go. False when the walk was stopped meanwhile: the hold
    // stays let go, and the worker must touch nothing but what it owns.
    template <class Appel>
    bool horsDuCode(SAtelier& a, Appel&& appel);
    // The worker stops where it is: the hold let go, it touches nothing more.
    static void lacher(SAtelier& a)
    {
        if (a.tenue.owns_lock())
            a.tenue.unlock();
    }
    void boucler(SAtelier& a);
    // Lists `d`, queues its sub-folders and files what is complete.
    void traiter(SDossierLu& d, SAtelier& a);
    // `enumeration`: `d` open, once listed, unless held open for its sub-folders.
    EListage lister(SDossierLu& d, SAtelier& a, std::unique_ptr<CEnumeration>& enumeration);
    // These three: false when the walk was stopped meanwhile. Not opened: nullptr with
    // why in `echec`.
    bool ouvrir(SDossierLu& d, SAtelier& a, std::unique_ptr<CEnumeration>& enumeration, SEchecOuverture& echec);
    bool rouvrir(SDossierLu& d, SAtelier& a, std::unique_ptr<CEnumeration>& enumeration, SEchecOuverture& echec);
    // The folder `dessus`, `montees` levels above the cursor, which it uses up; nullptr
    // when that cannot be (the tree changed meanwhile).
    bool remonter(SAtelier& a, int montees, const SDossierLu& dessus, std::shared_ptr<CEnumeration>& dossier);
    // Keeps the listed folder `d`'s open `enumeration` for its sub-folders, within the bound.
    void garderOuvert(SDossierLu& d, std::unique_ptr<CEnumeration>& enumeration);
    // `d` is done with one of its counts: files what that completes, up the tree. With
    // `garder`, the count that completes nothing is kept for the worker's cursor, and
    // its folder given; nullptr otherwise.
    SDossierLu* achever(SDossierLu* d, SAtelier& a, bool garder = false);
    // The worker's cursor let go, with the count it kept. False when the walk stopped.
    bool lacherCurseur(SAtelier& a);
    // A read error that is the disk's stops the walk.
    void echouer(const SDossierLu& d, int erreur);
    // Whether a folder of that identity is `d` or above it: one met again below itself,
    // through a bind mount. Found among the folders listed and not yet filed, so that a
    // deep tree costs no walk up to its top for each folder.
    bool auDessus(const SIdentiteDossier& identite, const SDossierLu& d);
    void oublierIdentites(const std::vector<std::unique_ptr<SDossierLu>>& dossiers);

    const CRequete& q_;
    const CRegleCapture regle_;
    const std::size_t maxOuverts_;

    mutable std::mutex verrou_;
    std::condition_variable travail_;   // a folder to take, or the end
    std::condition_variable finis_;     // the tree filed, or the walk stopped
    std::condition_variable finsFils_;  // a worker ended
    std::vector<SDossierLu*> pile_;     // the folders to list, the next one last
    bool fini_ = false;
    const CDossier* courant_ = nullptr; // the folder taken last
    std::atomic<std::size_t> ouverts_{0};  // folders held open for their sub-folders
    std::atomic<std::uint32_t> dossiers_{0}, fichiers_{0}, tropProfonds_{0};
    std::atomic<bool> arret_{false};
    std::atomic<bool> racineIllisible_{false};
    std::exception_ptr erreur_;
    SBilanCapture bilan_;               // the read error that stopped the walk
    // The folders listed and not yet filed, by identity.
    struct SHachage {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& c) const
        {
            return std::hash<std::uint64_t>()(c.first * 0x9E3779B97F4A7C15ull ^ c.second);
        }
    };
    std::mutex identitesVerrou_;
    std::unordered_multimap<std::pair<std::uint64_t, std::uint64_t>, const SDossierLu*, SHachage> identites_;
    std::vector<SAtelier> ateliers_;    // one per worker
    SDossierLu racine_;
};

CListageParallele::CPartage::~CPartage()
{
    // One level at a time: a comb leaves a tree as deep as itself.
    std::vector<std::unique_ptr<SDossierLu>> restants = std::move(racine_.sousDossiers);
    while (!restants.empty()) {
        std::unique_ptr<SDossierLu> d = std::move(restants.back());
        restants.pop_back();
        for (std::unique_ptr<SDossierLu>& s : d->sousDossiers)
            restants.push_back(std::move(s));
        d->sousDossiers.clear();
    }
}

template <class Appel>
bool CListageParallele::CPartage::horsDuCode(SAtelier& a, Appel&& appel)
{
    a.tenue.unlock();
    try {
        appel();
    } catch (...) {
        a.tenue.lock();
        throw;
    }
    if (arret_)
        return false;
    a.tenue.lock();
    if (!arret_)
        return true;
    a.tenue.unlock();
    return false;
}

void CListageParallele::CPartage::travailler(std::size_t i)
{
    SAtelier& a = ateliers_[i];
    a.tenue = std::unique_lock(a.occupe);
    try {
        boucler(a);
    } catch (...) {
        std::lock_guard verrou(verrou_);
        erreur_ = std::current_exception();
        arret_ = true;
        finis_.notify_all();
        travail_.notify_all();
    }
    lacher(a);
    std::lock_guard verrou(verrou_);
    a.fini = true;
    finsFils_.notify_all();
}

void CListageParallele::CPartage::boucler(SAtelier& a)
{
    for (;;) {
        SDossierLu* d = nullptr;
        {
            std::unique_lock verrou(verrou_);
            // Nothing to take: the cursor's count goes, or the tree would never be done.
            if (!pile_.empty() || !a.curseur.ancre) {
                travail_.wait(verrou, [&] { return arret_ || !pile_.empty(); });
                if (arret_)
                    return;
                d = pile_.back();
                pile_.pop_back();
                courant_ = d->dossier;
            }
        }
        if (d)
            traiter(*d, a);
        else
            lacherCurseur(a);
        if (!a.tenue.owns_lock())
            return;
    }
}

void CListageParallele::CPartage::listerSurCeFil()
{
    SAtelier& a = ateliers_.front();
    a.tenue = std::unique_lock(a.occupe);
    struct SLacher {
        SAtelier& a;
        ~SLacher() { lacher(a); }
    } garde{a};
    for (;;) {
        SDossierLu* d = nullptr;
        {
            std::lock_guard verrou(verrou_);
            if (arret_)
                return;
            if (!pile_.empty()) {
                d = pile_.back();
                pile_.pop_back();
            }
        }
        if (d)
            traiter(*d, a);
        else if (!a.curseur.ancre || !lacherCurseur(a))
            return;
        if (!a.tenue.owns_lock())
            return;
    }
}

void CListageParallele::CPartage::traiter(SDossierLu& d, SAtelier& a)
{
    const int profondeur = d.profondeur;
    std::unique_ptr<CEnumeration> enumeration;
    const EListage lu = lister(d, a, enumeration);
    if (lu == EListage::Arrete || arret_) {
        lacher(a);
        return;
    }
    if (lu == EListage::Lu)
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
    // The folder just listed is where this worker goes on from, in place of the last.
    SDossierLu* ancre = achever(&d, a, enumeration != nullptr);
    if (!lacherCurseur(a))
        return;
    if (ancre) {
        a.curseur.ouvert = std::move(enumeration);
        a.curseur.ancre = ancre;
        a.curseur.montees = profondeur - ancre->profondeur;
    }
    if (enumeration && !horsDuCode(a, [&] { enumeration.reset(); }))
        return;
}

bool CListageParallele::CPartage::lacherCurseur(SAtelier& a)
{
    std::unique_ptr<CEnumeration> ouvert = std::move(a.curseur.ouvert);
    if (SDossierLu* ancre = std::exchange(a.curseur.ancre, nullptr))
        achever(ancre, a);
    return !ouvert || horsDuCode(a, [&] { ouvert.reset(); });
}

void CListageParallele::CPartage::echouer(const SDossierLu& d, int erreur)
{
    std::string chemin = d.dossier->chemin();
    std::lock_guard verrou(verrou_);
    if (bilan_.dossierEnErreur.empty()) {
        bilan_.dossierEnErreur = std::move(chemin);
        bilan_.erreur = erreur;
    }
    arret_ = true;
    finis_.notify_all();
    travail_.notify_all();
}

CListageParallele::CPartage::EListage CListageParallele::CPartage::lister(SDossierLu& d, SAtelier& a,
                                                                        std::unique_ptr<CEnumeration>& enumeration)
{
    SEchecOuverture echec{0, &d};
    if (!ouvrir(d, a, enumeration, echec))
        return EListage::Arrete;
    if (!enumeration) {
        // The chosen folder unread is the caller's to report; a folder below it the
        // user may not read, or that went, is kept empty.
        const SDossierLu& ou = *echec.dossier;
        if (&d != &racine_ && erreurDuSupport(echec.erreur, ou.parent ? ou.parent->identite : ou.identite)) {
            echouer(ou, echec.erreur);
            return EListage::Arrete;
        }
        return EListage::NonLu;
    }
    d.identite = enumeration->identite();
    {
        std::lock_guard verrou(identitesVerrou_);
        identites_.emplace(std::pair{d.identite.peripherique, d.identite.inode}, &d);
    }
    SEntreeDossier e;
    std::uint32_t gardes = 0;
    for (;;) {
        bool lue = false;
        if (!horsDuCode(a, [&] { lue = enumeration->suivante(e); }))
            return EListage::Arrete;
        if (!lue)
            break;
        switch (genreEntree(e, q_, d.profondeur)) {
        case EGenreEntree::Ignoree:
            break;
        case EGenreEntree::TropProfond:
            ++tropProfonds_;
            break;
        case EGenreEntree::Fichier:
            gardes += regle_.classerFichier(*a.arene, *d.dossier, e);
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
    if (erreurDuSupport(enumeration->erreur(), d.identite)) {
        echouer(d, enumeration->erreur());
        return EListage::Arrete;
    }
    garderOuvert(d, enumeration);
    return EListage::Lu;
}

bool CListageParallele::CPartage::ouvrir(SDossierLu& d, SAtelier& a, std::unique_ptr<CEnumeration>& enumeration,
                                         SEchecOuverture& echec)
{
    if (!d.parent) {
        const std::string chemin = d.dossier->chemin();
        return horsDuCode(a, [&] { enumeration = plateforme().enumerer(chemin, &echec.erreur); });
    }
    SDossierLu& parent = *d.parent;
    if (parent.ouvert) {
        CEnumeration& depuis = *parent.ouvert;
        const SEntreeDossier entree = entreeDossier(d.dossier->chemin());
        if (!horsDuCode(a, [&] { enumeration = depuis.ouvrirSousDossier(entree, &echec.erreur); }))
            return false;
        // The last sub-folder to open closes it; the others are done with it by then.
        if (parent.aOuvrir.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            std::shared_ptr<CEnumeration> ferme;
            {
                std::lock_guard verrou(verrou_);
                ferme = std::move(parent.ouvert);
            }
            --ouverts_;
            if (!horsDuCode(a, [&] { ferme.reset(); }))
                return false;
        }
    } else if (!rouvrir(d, a, enumeration, echec)) {
        return false;
    }
    // Kept like a folder the user may not read (see dossierAParcourir).
    const SIdentiteDossier sous = enumeration ? enumeration->identite() : SIdentiteDossier{};
    if (enumeration && !dossierAParcourir(sous, parent.identite, [&](auto&&) { return auDessus(sous, parent); }))
        return horsDuCode(a, [&] { enumeration.reset(); });
    return true;
}

bool CListageParallele::CPartage::auDessus(const SIdentiteDossier& identite, const SDossierLu& d)
{
    std::lock_guard verrou(identitesVerrou_);
    const auto [debut, fin] = identites_.equal_range({identite.peripherique, identite.inode});
    for (auto it = debut; it != fin; ++it) {
        const SDossierLu* p = &d;
        while (p->profondeur > it->second->profondeur)
            p = p->parent;
        if (p == it->second)
            return true;
    }
    return false;
}

void CListageParallele::CPartage::garderOuvert(SDossierLu& d, std::unique_ptr<CEnumeration>& enumeration)
{
    if (d.sousDossiers.empty())
        return;
    // Past the bound, closed: its sub-folders reach it again when their turn comes.
    if (ouverts_.fetch_add(1) >= maxOuverts_) {
        --ouverts_;
        return;
    }
    // Set before the sub-folders are queued, which publishes them.
    d.aOuvrir = d.sousDossiers.size();
    d.ouvert = std::move(enumeration);
}

bool CListageParallele::CPartage::rouvrir(SDossierLu& d, SAtelier& a, std::unique_ptr<CEnumeration>& enumeration,
                                          SEchecOuverture& echec)
{
    // The parent is reached again from the nearest folder open: climbing from the
    // cursor to the folder above both, or going down from a folder held open above it,
    // or from the chosen folder. Each folder on the way down is opened name by name, as
    // the first walk went: no path too long to open, no link followed, and a folder
    // that changed since stops it there, like one gone. Every folder above `d` is
    // there: each waits for `d` to be filed, and so does every folder above the cursor.
    const SDossierLu* parent = d.parent;
    const SDossierLu* commun = nullptr;  // above both the parent and the cursor
    std::size_t coutCurseur = SIZE_MAX;
    if (a.curseur.ouvert) {
        const SDossierLu* x = a.curseur.ancre;
        const SDossierLu* y = parent;
        while (x->profondeur > y->profondeur)
            x = x->parent;
        while (y->profondeur > x->profondeur)
            y = y->parent;
        while (x != y) {
            x = x->parent;
            y = y->parent;
        }
        commun = x;
        coutCurseur = static_cast<std::size_t>(a.curseur.montees + a.curseur.ancre->profondeur - commun->profondeur) +
                      static_cast<std::size_t>(parent->profondeur - commun->profondeur);
    }
    // A folder held open on the way up from the parent, nearer than the cursor.
    std::shared_ptr<CEnumeration> courant;
    const SDossierLu* depart = parent;
    for (; static_cast<std::size_t>(parent->profondeur - depart->profondeur) < coutCurseur; depart = depart->parent) {
        {
            std::lock_guard verrou(verrou_);
            courant = depart->ouvert;
        }
        if (courant || depart->parent == nullptr)
            break;
    }
    if (!courant && commun && static_cast<std::size_t>(parent->profondeur - depart->profondeur) >= coutCurseur) {
        depart = commun;
        const int montees = a.curseur.montees + a.curseur.ancre->profondeur - commun->profondeur;
        if (!remonter(a, montees, *commun, courant))
            return false;
    }
    if (!courant) {
        // From the chosen folder, by its path.
        depart = &racine_;
        const std::string chemin = racine_.dossier->chemin();
        if (!horsDuCode(a, [&] { courant = plateforme().enumerer(chemin, &echec.erreur); }))
            return false;
        if (courant && !courant->identite().memeDossier(racine_.identite)) {
            echec.erreur = ENOENT;  // another folder since: like one gone
            courant.reset();
        }
        if (!courant) {
            echec.dossier = &racine_;
            return true;
        }
    }
    std::vector<const SDossierLu*> descente;
    for (const SDossierLu* p = parent; p != depart; p = p->parent)
        descente.push_back(p);
    for (auto it = descente.rbegin(); it != descente.rend(); ++it) {
        const SDossierLu& p = **it;
        const SEntreeDossier entree = entreeDossier(p.dossier->chemin());
        std::shared_ptr<CEnumeration> suivant;
        if (!horsDuCode(a, [&] { suivant = courant->ouvrirSousDossier(entree, &echec.erreur); }))
            return false;
        if (suivant && !suivant->identite().memeDossier(p.identite)) {
            echec.erreur = ENOENT;
            suivant.reset();
        }
        std::swap(courant, suivant);
        if (!horsDuCode(a, [&] { suivant.reset(); }))
            return false;
        if (!courant) {
            echec.dossier = &p;
            return true;
        }
    }
    const SEntreeDossier entree = entreeDossier(d.dossier->chemin());
    return horsDuCode(a, [&] {
        enumeration = courant->ouvrirSousDossier(entree, &echec.erreur);
        courant.reset();
    });
}

bool CListageParallele::CPartage::remonter(SAtelier& a, int montees, const SDossierLu& dessus,
                                           std::shared_ptr<CEnumeration>& dossier)
{
    std::unique_ptr<CEnumeration> e = std::move(a.curseur.ouvert);
    const SIdentiteDossier attendue = dessus.identite;
    return horsDuCode(a, [&] {
        for (int i = 0; i < montees && e; ++i)
            e = e->ouvrirParent();
        // Moved meanwhile: what it climbed to is not that folder.
        if (e && !e->identite().memeDossier(attendue))
            e.reset();
        dossier = std::move(e);
    });
}

void CListageParallele::CPartage::oublierIdentites(const std::vector<std::unique_ptr<SDossierLu>>& dossiers)
{
    std::lock_guard verrou(identitesVerrou_);
    for (const std::unique_ptr<SDossierLu>& d : dossiers) {
        const auto [debut, fin] = identites_.equal_range({d->identite.peripherique, d->identite.inode});
        for (auto it = debut; it != fin; ++it)
            if (it->second == d.get()) {
                identites_.erase(it);
                break;
            }
    }
}

SDossierLu* CListageParallele::CPartage::achever(SDossierLu* d, SAtelier& a, bool garder)
{
    // The last count of a folder: all below it is filed, and its own sub-folders go in.
    while (d != nullptr) {
        if (garder) {
            // Only its counts ever come down: one left is ours alone.
            if (d->attendus.load(std::memory_order_acquire) != 1)
                return d;
            d->attendus.store(0, std::memory_order_relaxed);
        } else if (d->attendus.fetch_sub(1, std::memory_order_acq_rel) != 1) {
            return nullptr;
        }
        oublierIdentites(d->sousDossiers);
        for (std::unique_ptr<SDossierLu>& sous : d->sousDossiers) {
            std::unique_ptr<CDossier> noeud = std::move(sous->noeud);
            if (regle_.aGarder(*noeud))
                d->dossier->sousDossiers().ajouter(noeud.release());
            else
                a.rebuts.push_back(std::move(noeud));
        }
        d->sousDossiers.clear();
        d = d->parent;
    }
    std::lock_guard verrou(verrou_);
    fini_ = true;
    finis_.notify_all();
    return nullptr;
}

bool CListageParallele::CPartage::attendre(std::chrono::milliseconds delai)
{
    std::unique_lock verrou(verrou_);
    finis_.wait_for(verrou, delai, [&] { return fini_ || erreur_ || !bilan_.dossierEnErreur.empty(); });
    if (erreur_)
        std::rethrow_exception(erreur_);
    return fini_ || !bilan_.dossierEnErreur.empty();
}

void CListageParallele::CPartage::progression(SProgressionCapture& etat)
{
    etat.dossiers = dossiers_;
    etat.fichiers = fichiers_;
    std::lock_guard verrou(verrou_);
    // No node is destroyed while the walk runs: the folder taken last is there.
    if (courant_)
        etat.dossierCourant = courant_->chemin();
}

void CListageParallele::CPartage::arreter()
{
    {
        std::lock_guard verrou(verrou_);
        arret_ = true;
        courant_ = nullptr;
    }
    travail_.notify_all();
    // Each worker is now either in the capture's code, which it leaves at its next
    // call to the system, or waiting in the system, or done: once its hold was taken,
    // it sees the stop before it touches anything again.
    for (SAtelier& a : ateliers_)
        std::lock_guard tenue(a.occupe);
}

void CListageParallele::CPartage::detruireNoeuds()
{
    std::vector<SDossierLu*> restants{&racine_};
    while (!restants.empty()) {
        SDossierLu* d = restants.back();
        restants.pop_back();
        d->noeud.reset();
        for (const std::unique_ptr<SDossierLu>& s : d->sousDossiers)
            restants.push_back(s.get());
    }
    for (SAtelier& a : ateliers_)
        a.rebuts.clear();
}

std::vector<bool> CListageParallele::CPartage::attendreFins(std::size_t n, std::chrono::milliseconds delai)
{
    std::unique_lock verrou(verrou_);
    finsFils_.wait_for(verrou, delai,
                       [&] { return std::all_of(ateliers_.begin(), ateliers_.begin() + n, [](auto& a) { return a.fini; }); });
    std::vector<bool> finis;
    for (std::size_t i = 0; i < n; ++i)
        finis.push_back(ateliers_[i].fini);
    return finis;
}

CListageParallele::CListageParallele(const CRequete& q, CDossier& racine, int fils)
{
    const SBudget b = budget(fils, plateforme().dossiersOuvertsMax());
    partage_ = std::make_shared<CPartage>(q, racine, b);
    try {
        fils_.reserve(b.fils);
        for (std::size_t i = 0; i < b.fils; ++i)
            fils_.emplace_back([partage = partage_, i] { partage->travailler(i); });
    } catch (const std::exception&) {
        // Fewer threads than asked: the walk goes on with those there are, or on the
        // calling thread when there are none.
    }
}

CListageParallele::~CListageParallele() { arreter(); }

void CListageParallele::arreter()
{
    partage_->arreter();
    partage_->detruireNoeuds();
    const std::vector<bool> finis = partage_->attendreFins(fils_.size(), kAttenteFinFils);
    for (std::size_t i = 0; i < fils_.size(); ++i) {
        // One still waiting in the system keeps what it uses, and ends on its own.
        if (finis[i])
            fils_[i].join();
        else
            fils_[i].detach();
    }
    fils_.clear();
}

bool CListageParallele::attendre(std::chrono::milliseconds delai)
{
    // No worker could be started: the calling thread lists.
    if (fils_.empty())
        partage_->listerSurCeFil();
    return partage_->attendre(delai);
}

void CListageParallele::attendre()
{
    while (!attendre(std::chrono::hours(1))) {
    }
}

void CListageParallele::progression(SProgressionCapture& etat) { partage_->progression(etat); }

bool CListageParallele::racineIllisible() const { return partage_->racineIllisible(); }

bool CListageParallele::echec() const { return partage_->echec(); }

void CListageParallele::bilan(SBilanCapture& bilan) const { partage_->bilan(bilan); }
