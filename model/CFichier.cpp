#include "model/CFichier.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "model/Arene.h"
#include "model/CDossier.h"
#include "model/CRequete.h"
#include "platform/Chemins.h"

// What an entry keeps aside (see CFichier.h): its whole stored path, and its three
// dates when one of them does not pack.
struct CFichier::SAPart {
    std::string chemin;
    std::uint32_t debutNom = 0;
    CDateHeure cree;
    CDateHeure modifie;
    CDate accede;
};

namespace {

enum : std::uint8_t {
    kAPart = 1,       // the bytes after the record hold a pointer to the block aside
    kDatesAPart = 2,  // the dates are in that block
};

constexpr std::size_t kQueueMin = sizeof(void*);
constexpr std::size_t kNomMax = 0xFFFF - 1;

// The separator a folder's path takes before a name: none after a separator, else that
// of its kind of path.
char separateurApres(std::string_view dossier)
{
    if (!dossier.empty() && (dossier.back() == '/' || dossier.back() == '\\'))
        return 0;
    return !dossier.empty() && dossier[0] == '/' ? '/' : '\\';
}

// Whether `chemin` is exactly what the entry would make of `dossier` and `nom`, in its
// folder: only then may it keep nothing but its name.
bool seRefait(std::string_view dossier, std::string_view chemin, std::string_view nom)
{
    const char sep = separateurApres(dossier);
    const std::size_t longueur = dossier.size() + (sep ? 1 : 0) + nom.size();
    if (chemin.size() != longueur || chemin.compare(0, dossier.size(), dossier) != 0)
        return false;
    if (sep && chemin[dossier.size()] != sep)
        return false;
    return memeDossier(dossierDuChemin(chemin), dossier);
}

// A date and time in 58 bits, in the order of comparison: year 32, month 4, day 5,
// hour 5, minute 6, second 6. False when a field does not fit (a damaged catalogue).
bool paqueter(const CDateHeure& d, std::uint64_t& v)
{
    if (d.date.mois >= 16 || d.date.jour >= 32 || d.heure >= 32 || d.minute >= 64 || d.seconde >= 64)
        return false;
    v = std::uint64_t(d.date.annee) << 26 | std::uint64_t(d.date.mois) << 22 | std::uint64_t(d.date.jour) << 17 |
        std::uint64_t(d.heure) << 12 | std::uint64_t(d.minute) << 6 | d.seconde;
    return true;
}

CDateHeure depaqueter(std::uint64_t v)
{
    CDateHeure d;
    d.date.annee = std::uint32_t(v >> 26);
    d.date.mois = std::uint32_t(v >> 22) & 15;
    d.date.jour = std::uint32_t(v >> 17) & 31;
    d.heure = std::uint32_t(v >> 12) & 31;
    d.minute = std::uint32_t(v >> 6) & 63;
    d.seconde = std::uint32_t(v) & 63;
    return d;
}

// A date in 32 bits: year 23, month 4, day 5.
bool paqueter(const CDate& d, std::uint32_t& v)
{
    if (d.annee >= (1u << 23) || d.mois >= 16 || d.jour >= 32)
        return false;
    v = d.annee << 9 | d.mois << 5 | d.jour;
    return true;
}

CDate depaqueterDate(std::uint32_t v)
{
    CDate d;
    d.annee = v >> 9;
    d.mois = (v >> 5) & 15;
    d.jour = v & 31;
    return d;
}

} // namespace

// The record's values end with the name's length; the name follows at once.
static constexpr std::size_t kTailleRecord = 52;

CFichier* CFichier::creer(CArene& arene, CDossier* parent, std::string_view chemin)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
    static_assert(offsetof(CFichier, longueurNom_) + sizeof(std::uint16_t) == kTailleRecord);
    static_assert(sizeof(CFichier) == 56);
#pragma GCC diagnostic pop
    const std::string_view nom = chemin.substr(debutDuNom(chemin));
    const bool seulNom = parent && nom.size() <= kNomMax && seRefait(parent->chemin(), chemin, nom);
    std::unique_ptr<SAPart> aPart;
    if (!seulNom) {
        aPart = std::make_unique<SAPart>();
        aPart->chemin.assign(chemin);
        aPart->debutNom = std::uint32_t(chemin.size() - nom.size());
    }
    const std::size_t queue = seulNom ? std::max(nom.size(), kQueueMin) : kQueueMin;
    auto* f = new (arene.allouer(kTailleRecord + queue)) CFichier(parent);
    if (seulNom) {
        std::memcpy(f->queue(), nom.data(), nom.size());
        f->longueurNom_ = std::uint16_t(nom.size());
    } else {
        SAPart* p = aPart.release();
        std::memcpy(f->queue(), &p, sizeof p);
        f->drapeaux_ = kAPart;
    }
    return f;
}

CFichier* CFichier::copier(CArene& arene, CDossier* parent, const CFichier& source)
{
    CFichier* f;
    if (!source.aPart() && parent && parent->chemin() == source.parent_->chemin()) {
        f = new (arene.allouer(source.tailleEnArene())) CFichier(parent);
        std::memcpy(f->queue(), source.queue(), source.longueurNom_);
        f->longueurNom_ = source.longueurNom_;
    } else {
        f = creer(arene, parent, source.chemin());
    }
    try {
        f->definirCree(source.cree());
        f->definirModifie(source.modifie());
        f->definirAccede(source.accede());
    } catch (...) {
        delete f;
        throw;
    }
    f->taille = source.taille;
    f->marque = source.marque;
    std::memcpy(f->lettres, source.lettres, sizeof f->lettres);
    return f;
}

std::size_t CFichier::tailleEnArene() const
{
    return kTailleRecord + (aPart() ? kQueueMin : std::max<std::size_t>(longueurNom_, kQueueMin));
}

void CFichier::abandonner(CArene& arene, CFichier* f)
{
    const std::size_t taille = f->tailleEnArene();
    delete f;
    arene.rendreDernier(f, taille);
}

void CFichier::operator delete(void* p, std::size_t taille) noexcept
{
    CArene::marquerMort(p, taille);
}

CFichier::~CFichier()
{
    delete aPart();
}

CFichier::SAPart* CFichier::aPart() const
{
    if (!(drapeaux_ & kAPart))
        return nullptr;
    SAPart* p;
    std::memcpy(&p, queue(), sizeof p);
    return p;
}

CFichier::SAPart& CFichier::aPartCree()
{
    if (SAPart* p = aPart())
        return *p;
    auto a = std::make_unique<SAPart>();
    a->chemin = chemin();
    a->debutNom = std::uint32_t(a->chemin.size() - longueurNom_);
    SAPart* p = a.release();
    std::memcpy(queue(), &p, sizeof p);
    drapeaux_ |= kAPart;
    return *p;
}

void CFichier::definirParent(CDossier* parent)
{
    if (!aPart() && parent_ != parent && (!parent || parent->chemin() != parent_->chemin()))
        aPartCree();
    parent_ = parent;
}

void CFichier::garderCheminAPart()
{
    aPartCree();
}

void CFichier::definirChemin(std::string_view chemin)
{
    SAPart& a = aPartCree();
    a.chemin.assign(chemin);
    a.debutNom = std::uint32_t(debutDuNom(chemin));
}

std::string_view CFichier::nom() const
{
    if (const SAPart* a = aPart())
        return std::string_view(a->chemin).substr(a->debutNom);
    return {queue(), longueurNom_};
}

void CFichier::ecrireChemin(std::string& tampon) const
{
    if (const SAPart* a = aPart()) {
        tampon.assign(a->chemin);
        return;
    }
    const std::string& dossier = parent_->chemin();
    const char sep = separateurApres(dossier);
    tampon.clear();
    tampon.reserve(dossier.size() + 1 + longueurNom_);
    tampon.append(dossier);
    if (sep)
        tampon.push_back(sep);
    tampon.append(queue(), longueurNom_);
}

std::string CFichier::chemin() const
{
    std::string c;
    ecrireChemin(c);
    return c;
}

bool CFichier::estALaPlaceAnnoncee() const
{
    const SAPart* a = aPart();
    if (!a)
        return parent_->estDansSaRequete();
    return parent_ && memeDossier(dossierDuChemin(a->chemin), parent_->chemin()) && parent_->estDansSaRequete();
}

std::string_view CFichier::dossierReel() const
{
    const SAPart* a = aPart();
    if (!a)
        return parent_->chemin();
    if (!parent_)
        return {};
    if (memeDossier(dossierDuChemin(a->chemin), parent_->chemin()))
        return parent_->chemin();
    return dossierDuChemin(a->chemin);
}

CDateHeure CFichier::cree() const
{
    return drapeaux_ & kDatesAPart ? aPart()->cree : depaqueter(cree_);
}

CDateHeure CFichier::modifie() const
{
    return drapeaux_ & kDatesAPart ? aPart()->modifie : depaqueter(modifie_);
}

CDate CFichier::accede() const
{
    return drapeaux_ & kDatesAPart ? aPart()->accede : depaqueterDate(accede_);
}

void CFichier::passerDatesAPart()
{
    if (drapeaux_ & kDatesAPart)
        return;
    const CDateHeure c = cree(), m = modifie();
    const CDate a = accede();
    SAPart& p = aPartCree();
    p.cree = c;
    p.modifie = m;
    p.accede = a;
    drapeaux_ |= kDatesAPart;
}

void CFichier::definirCree(const CDateHeure& d)
{
    if (!(drapeaux_ & kDatesAPart) && paqueter(d, cree_))
        return;
    passerDatesAPart();
    aPart()->cree = d;
}

void CFichier::definirModifie(const CDateHeure& d)
{
    if (!(drapeaux_ & kDatesAPart) && paqueter(d, modifie_))
        return;
    passerDatesAPart();
    aPart()->modifie = d;
}

void CFichier::definirAccede(const CDate& d)
{
    if (!(drapeaux_ & kDatesAPart) && paqueter(d, accede_))
        return;
    passerDatesAPart();
    aPart()->accede = d;
}

CRequete* CFichier::requete() const
{
    return parent_ ? parent_->requete() : nullptr;
}
