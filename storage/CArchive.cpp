#include "storage/CArchive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/Mot32.h"

#include "model/TexteCatalogue.h"
#include "platform/RaisonSysteme.h"
#include "storage/CSortie.h"
#include "storage/SuiteInconnue.h"

namespace {

constexpr std::size_t kTailleTampon = 1 << 20;

std::uint32_t lire32(const char* p)
{
    return lireMot32(reinterpret_cast<const unsigned char*>(p));
}

} // namespace

CArchive::CArchive(std::string_view octets)
    : fenetre_(octets.data()), dansFenetre_(octets.size()), taille_(octets.size())
{
}

CArchive::CArchive(CEntree& entree, std::uint64_t taille) : taille_(taille), entree_(&entree)
{
    tampon_.reset(new char[kTailleTampon]);
    fenetre_ = tampon_.get();
}

CArchive::CArchive(CSortie& sortie) : sortie_(&sortie), tampon_(new char[kTailleTampon])
{
}

CArchive::~CArchive()
{
    // Writers call vider() themselves to learn whether it worked; this only makes sure
    // nothing is forgotten in the buffer.
    if (sortie_)
        (void)vider();
}

bool CArchive::vider()
{
    if (plein_ > 0) {
        sortie_->ecrire(tampon_.get(), plein_);
        plein_ = 0;
    }
    return !sortie_->enEchec();
}

void CArchive::echouer(const std::string& quoi) const
{
    throw CErreurLecture(quoi, pos_);
}

// Called for every field read: the usual case is kept short, so that it is inlined.
const char* CArchive::prendre(std::size_t n)
{
    if (n <= dansFenetre_ - curseur_ && n <= restants()) {
        const char* p = fenetre_ + curseur_;
        curseur_ += n;
        pos_ += n;
        return p;
    }
    return recharger(n);
}

// More than the bytes at hand: past the end of the file (or of the bytes in memory)
// it fails; for a file, what is left in the buffer moves to its start and more is read
// after it, and a text longer than the buffer gets a place of its own.
const char* CArchive::recharger(std::size_t n)
{
    if (n > restants())
        echouer("le fichier est tronqué");
    const std::size_t reste = dansFenetre_ - curseur_;
    char* destination = tampon_.get();
    std::size_t voulu = kTailleTampon;
    if (n > kTailleTampon) {
        grand_.resize(n);
        destination = grand_.data();
        voulu = n;
    }
    std::memmove(destination, fenetre_ + curseur_, reste);
    std::size_t obtenu = reste;
    while (obtenu < n) {
        const long lus = entree_->lire(destination + obtenu, voulu - obtenu);
        if (lus < 0)
            echouer("erreur de lecture du fichier (" + raisonSysteme(errno) + ")");
        if (lus == 0)
            echouer("le fichier est tronqué");  // it shrank while being read
        obtenu += static_cast<std::size_t>(lus);
    }
    pos_ += n;
    if (destination == grand_.data()) {
        fenetre_ = tampon_.get();
        dansFenetre_ = curseur_ = 0;
    } else {
        fenetre_ = destination;
        dansFenetre_ = obtenu;
        curseur_ = n;
    }
    return destination;
}

// Called for every field written: the usual case is kept short, so that it is inlined.
void CArchive::ecrire(const void* octets, std::size_t n)
{
    pos_ += n;
    if (n > kTailleTampon - plein_) {
        ecrireApresVidage(octets, n);
        return;
    }
    std::memcpy(tampon_.get() + plein_, octets, n);
    plein_ += n;
}

void CArchive::ecrireApresVidage(const void* octets, std::size_t n)
{
    // A failed flush leaves the output failed, and every write after it is refused.
    (void)vider();
    if (n > kTailleTampon) {
        // A text longer than the buffer goes out as it is.
        sortie_->ecrire(static_cast<const char*>(octets), n);
        return;
    }
    std::memcpy(tampon_.get(), octets, n);
    plein_ = n;
}

void CArchive::echangerOctet(std::uint8_t& v)
{
    if (enLecture())
        v = static_cast<std::uint8_t>(*prendre(1));
    else
        ecrire(&v, 1);
}

void CArchive::echangerBooleen(bool& v)
{
    std::uint8_t o = v ? 1 : 0;
    echangerOctet(o);
    // Written only when read: a save leaves the document untouched, so that another
    // thread may read it meanwhile (the kept index is built while it is saved).
    if (enLecture())
        v = o != 0;
}

void CArchive::echangerEntier(std::uint32_t& v)
{
    if (enLecture()) {
        v = lire32(prendre(4));
        return;
    }
    unsigned char o[4];
    ecrireMot32(o, v);
    ecrire(o, 4);
}

void CArchive::echangerEntier(std::int32_t& v)
{
    auto u = static_cast<std::uint32_t>(v);
    echangerEntier(u);
    v = static_cast<std::int32_t>(u);
}

void CArchive::echangerBloc(void* octets, std::size_t n)
{
    if (enLecture())
        std::memcpy(octets, prendre(n), n);
    else
        ecrire(octets, n);
}

std::int32_t CArchive::lireEntier()
{
    std::int32_t v = 0;
    echangerEntier(v);
    return v;
}

std::int32_t CArchive::lireNombre(std::size_t tailleMin, const char* quoi)
{
    const std::int32_t n = lireEntier();
    if (n <= 0)
        return 0;
    if (static_cast<std::uint64_t>(n) * tailleMin > restants())
        // Phrased so that it agrees with any noun: "requêtes" as well as "fichiers".
        echouer("le fichier est tronqué ou endommagé : il annonce " + std::to_string(n) + " " + quoi +
                ", plus que la suite du fichier ne peut en contenir");
    return n;
}

void CArchive::lireSuite(CSuiteInconnue& suite)
{
    const std::uint64_t n = restants();
    if (n > CSuiteInconnue::kEnMemoire && entree_ && entree_->descripteur() >= 0) {
        if (!suite.garderDansFichier(entree_->descripteur(), pos_, n))
            echouer("erreur de lecture du fichier");
        pos_ = taille_;
        curseur_ = dansFenetre_;
        return;
    }
    std::string reste;
    reste.reserve(static_cast<std::size_t>(n));
    while (restants() > 0) {
        const std::size_t bloc = static_cast<std::size_t>(std::min<std::uint64_t>(restants(), kTailleTampon));
        reste.append(prendre(bloc), bloc);
    }
    suite.garder(std::move(reste));
}

void CArchive::ecrireSuite(const CSuiteInconnue& suite)
{
    if (!vider())
        return;
    std::string probleme;
    if (!suite.envoyer(*sortie_, probleme) && !probleme.empty() && !sortie_->enEchec())
        throw CErreurSuite(probleme);
}

void CArchive::echangerTexte(std::string& texte)
{
    if (enLecture())
        lireTexte(texte);
    else
        ecrireTexte(texte);
}

std::uint64_t CArchive::lireLongueur(bool& large)
{
    large = false;
    for (;;) {
        const auto b = static_cast<std::uint8_t>(*prendre(1));
        if (b < 0xFF)
            return b;
        const char* q = prendre(2);
        const std::uint32_t mot = static_cast<unsigned char>(q[0]) | (static_cast<unsigned char>(q[1]) << 8);
        // The wide marker comes once, before the real length; after it, 0xFFFE is a
        // length like any other.
        if (mot == 0xFFFE && !large) {
            large = true;
            continue;
        }
        if (mot < 0xFFFF)
            return mot;
        const std::uint32_t l32 = lire32(prendre(4));
        if (l32 < 0xFFFFFFFFu)
            return l32;
        const char* q64 = prendre(8);
        const std::uint64_t l64 = static_cast<std::uint64_t>(lire32(q64)) |
                                  (static_cast<std::uint64_t>(lire32(q64 + 4)) << 32);
        if (l64 > 0x7FFFFFFF)
            echouer("le fichier est endommagé : longueur de texte impossible");
        return l64;
    }
}

void CArchive::lireTexte(std::string& texte)
{
    bool large = false;
    const std::uint64_t l = lireLongueur(large);
    const std::uint64_t octets = large ? 2 * l : l;
    if (octets > restants())
        echouer("le fichier est tronqué ou endommagé : un texte dépasse la fin du fichier");
    const char* p = prendre(static_cast<std::size_t>(octets));
    // Converted in the reused buffer, then copied: the text kept gets its exact size
    // (a catalogue holds millions of paths). A copy constructed, not assign(): that
    // would give a 16..29-byte text room for 30.
    std::string& converti = travail_;
    converti.clear();
    if (large)
        depuisUtf16(p, static_cast<std::size_t>(l), converti);
    else
        depuisCp1252(std::string_view(p, static_cast<std::size_t>(l)), converti);
    if (converti.size() <= texte.capacity())
        texte.assign(converti);
    else
        texte = std::string(converti);
}

void CArchive::ecrireTexte(const std::string& texte)
{
    auto prefixe = [this](std::uint64_t l) {
        if (l < 0xFF) {
            const auto b = static_cast<std::uint8_t>(l);
            ecrire(&b, 1);
        } else if (l < 0xFFFE) {
            const unsigned char o[3] = {0xFF, static_cast<unsigned char>(l), static_cast<unsigned char>(l >> 8)};
            ecrire(o, 3);
        } else {
            const unsigned char o[3] = {0xFF, 0xFF, 0xFF};
            ecrire(o, 3);
            auto l32 = static_cast<std::uint32_t>(l);
            echangerEntier(l32);
        }
    };
    std::string& encode = travail_;  // reused: no allocation per text
    encode.clear();
    if (versCp1252(texte, encode)) {
        prefixe(encode.size());
    } else {
        // The wide form: 0xFF, 0xFFFE, then the length in code units.
        versUtf16(texte, encode);
        const unsigned char marque[3] = {0xFF, 0xFE, 0xFF};
        ecrire(marque, 3);
        prefixe(encode.size() / 2);
    }
    ecrire(encode.data(), encode.size());
}
