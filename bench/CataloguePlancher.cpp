#include "bench/CataloguePlancher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "model/Mot32.h"

namespace {

constexpr std::size_t kTailleTampon = 1 << 20;

// Smallest size of each record, to refuse counts the rest of the file cannot hold.
constexpr std::size_t kMinClasseur = 1 + 4;
constexpr std::size_t kMinDossier = 1 + 1 + 4 + 4;
constexpr std::size_t kMinRequete = 1 + kDrapeauxRequetePlancher + 1 + kParametresRequetePlancher + kMinDossier;
constexpr std::size_t kMinFichier = 1 + kFixeFichierPlancher;

[[noreturn]] void echouer(const char* quoi)
{
    throw std::runtime_error(quoi);
}

class CLecteur {
public:
    explicit CLecteur(const std::string& chemin)
        : fd_(::open(chemin.c_str(), O_RDONLY | O_CLOEXEC)), tampon_(new char[kTailleTampon])
    {
        if (fd_ < 0)
            echouer("ouverture impossible");
        struct stat st {};
        if (::fstat(fd_, &st) != 0) {
            ::close(fd_);
            echouer("taille du fichier inconnue");
        }
        restants_ = static_cast<std::uint64_t>(st.st_size);
    }
    ~CLecteur() { ::close(fd_); }
    CLecteur(const CLecteur&) = delete;
    CLecteur& operator=(const CLecteur&) = delete;

    // The next `n` bytes, valid until the next call.
    const char* prendre(std::size_t n)
    {
        if (n > restants_)
            echouer("fichier tronqué");
        if (fin_ - curseur_ < n)
            recharger(n);
        const char* p = tampon_.get() + curseur_;
        curseur_ += n;
        restants_ -= n;
        return p;
    }
    void copier(void* destination, std::size_t n) { std::memcpy(destination, prendre(n), n); }
    std::uint32_t mot() { return lireMot32(reinterpret_cast<const unsigned char*>(prendre(4))); }
    std::uint8_t octet() { return static_cast<std::uint8_t>(*prendre(1)); }

    std::int32_t nombre(std::size_t tailleMin)
    {
        const auto n = static_cast<std::int32_t>(mot());
        if (n <= 0)
            return 0;
        if (static_cast<std::uint64_t>(n) * tailleMin > restants_)
            echouer("nombre d'enregistrements impossible");
        return n;
    }

    void texte(STextePlancher& t)
    {
        const std::uint64_t l = longueur(t.large);
        const std::uint64_t octets = t.large ? 2 * l : l;
        if (octets > restants_)
            echouer("texte au-delà de la fin");
        t.octets.assign(prendre(static_cast<std::size_t>(octets)), static_cast<std::size_t>(octets));
    }

private:
    // The length prefix: 1, 3 or 7 bytes, after the wide marker 0xFF 0xFFFE if any.
    std::uint64_t longueur(bool& large)
    {
        large = false;
        for (;;) {
            const std::uint8_t b = octet();
            if (b < 0xFF)
                return b;
            const std::uint32_t l16 = mot16();
            if (l16 == 0xFFFE) {
                if (large)
                    echouer("texte mal formé");
                large = true;
                continue;
            }
            if (l16 < 0xFFFF)
                return l16;
            const std::uint32_t l32 = mot();
            if (l32 == 0xFFFFFFFFu)
                echouer("longueur sur 64 bits non prise en charge");
            return l32;
        }
    }

    std::uint32_t mot16()
    {
        const auto* p = reinterpret_cast<const unsigned char*>(prendre(2));
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
    }

    // What is left moves to the start of the buffer and as much as fits is read after.
    void recharger(std::size_t n)
    {
        if (n > kTailleTampon)
            echouer("texte plus long que le tampon");
        const std::size_t reste = fin_ - curseur_;
        std::memmove(tampon_.get(), tampon_.get() + curseur_, reste);
        curseur_ = 0;
        fin_ = reste;
        while (fin_ < n) {
            const ssize_t lus = ::read(fd_, tampon_.get() + fin_, kTailleTampon - fin_);
            if (lus < 0 && errno == EINTR)
                continue;
            if (lus <= 0)
                echouer("erreur de lecture");
            fin_ += static_cast<std::size_t>(lus);
        }
    }

    int fd_;
    std::unique_ptr<char[]> tampon_;
    std::size_t curseur_ = 0;
    std::size_t fin_ = 0;
    std::uint64_t restants_ = 0;  // bytes of the file not yet taken
};

class CEcrivain {
public:
    explicit CEcrivain(const std::string& chemin)
        : fd_(::open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)), tampon_(new char[kTailleTampon])
    {
        if (fd_ < 0)
            echouer("création impossible");
    }
    ~CEcrivain()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    CEcrivain(const CEcrivain&) = delete;
    CEcrivain& operator=(const CEcrivain&) = delete;

    void ecrire(const void* octets, std::size_t n)
    {
        if (plein_ + n > kTailleTampon)
            vider();
        if (n > kTailleTampon) {
            ecrireTout(static_cast<const char*>(octets), n);
            return;
        }
        std::memcpy(tampon_.get() + plein_, octets, n);
        plein_ += n;
    }
    void octet(std::uint8_t o) { ecrire(&o, 1); }
    void mot(std::uint32_t v)
    {
        unsigned char o[4];
        ecrireMot32(o, v);
        ecrire(o, 4);
    }

    // The length prefix of the file format, then the bytes.
    void texte(const STextePlancher& t)
    {
        if (t.large) {
            const unsigned char marque[3] = {0xFF, 0xFE, 0xFF};
            ecrire(marque, 3);
        }
        const std::size_t l = t.large ? t.octets.size() / 2 : t.octets.size();
        if (l < 0xFF) {
            octet(static_cast<std::uint8_t>(l));
        } else if (l < 0xFFFE) {
            const unsigned char o[3] = {0xFF, static_cast<unsigned char>(l), static_cast<unsigned char>(l >> 8)};
            ecrire(o, 3);
        } else {
            const unsigned char o[3] = {0xFF, 0xFF, 0xFF};
            ecrire(o, 3);
            mot(static_cast<std::uint32_t>(l));
        }
        ecrire(t.octets.data(), t.octets.size());
    }

    void fermer()
    {
        vider();
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            echouer("fermeture impossible");
    }

private:
    void vider()
    {
        ecrireTout(tampon_.get(), plein_);
        plein_ = 0;
    }
    void ecrireTout(const char* o, std::size_t n)
    {
        while (n > 0) {
            const ssize_t ecrits = ::write(fd_, o, n);
            if (ecrits < 0 && errno == EINTR)
                continue;
            if (ecrits <= 0)
                echouer("erreur d'écriture");
            o += ecrits;
            n -= static_cast<std::size_t>(ecrits);
        }
    }

    int fd_;
    std::unique_ptr<char[]> tampon_;
    std::size_t plein_ = 0;
};

// Appends `e` to the list that `tete` and `queue` hold.
template <typename T>
void ajouter(T*& tete, T*& queue, T* e)
{
    if (queue)
        queue->suivant = e;
    else
        tete = e;
    queue = e;
}

void lireDossier(CLecteur& l, SDossierPlancher& d)
{
    l.texte(d.chemin);
    d.cache = l.octet() != 0;
    d.nombreFichiers = l.nombre(kMinFichier);
    for (std::int32_t i = 0; i < d.nombreFichiers; ++i) {
        auto* f = new SFichierPlancher;
        ajouter(d.fichiers, d.dernierFichier, f);
        l.texte(f->chemin);
        l.copier(f->fixe, sizeof f->fixe);
    }
    d.nombreSousDossiers = l.nombre(kMinDossier);
    for (std::int32_t i = 0; i < d.nombreSousDossiers; ++i) {
        auto* s = new SDossierPlancher;
        ajouter(d.sousDossiers, d.dernierSousDossier, s);
        lireDossier(l, *s);
    }
}

void ecrireDossier(CEcrivain& e, const SDossierPlancher& d)
{
    e.texte(d.chemin);
    e.octet(d.cache ? 1 : 0);
    e.mot(static_cast<std::uint32_t>(d.nombreFichiers));
    for (const SFichierPlancher* f = d.fichiers; f; f = f->suivant) {
        e.texte(f->chemin);
        e.ecrire(f->fixe, sizeof f->fixe);
    }
    e.mot(static_cast<std::uint32_t>(d.nombreSousDossiers));
    for (const SDossierPlancher* s = d.sousDossiers; s; s = s->suivant)
        ecrireDossier(e, *s);
}

std::size_t compterFichiers(const SDossierPlancher& d)
{
    std::size_t n = static_cast<std::size_t>(d.nombreFichiers);
    for (const SDossierPlancher* s = d.sousDossiers; s; s = s->suivant)
        n += compterFichiers(*s);
    return n;
}

} // namespace

SDossierPlancher::~SDossierPlancher()
{
    while (fichiers) {
        SFichierPlancher* f = fichiers;
        fichiers = f->suivant;
        delete f;
    }
    while (sousDossiers) {
        SDossierPlancher* s = sousDossiers;
        sousDossiers = s->suivant;
        delete s;
    }
}

SClasseurPlancher::~SClasseurPlancher()
{
    while (requetes) {
        SRequetePlancher* q = requetes;
        requetes = q->suivant;
        delete q;
    }
}

SCataloguePlancher::~SCataloguePlancher()
{
    while (classeurs) {
        SClasseurPlancher* c = classeurs;
        classeurs = c->suivant;
        delete c;
    }
}

void chargerPlancher(const std::string& chemin, SCataloguePlancher& catalogue)
{
    CLecteur l(chemin);
    l.copier(catalogue.enTete, sizeof catalogue.enTete);
    catalogue.nombreClasseurs = l.nombre(kMinClasseur);
    for (std::int32_t i = 0; i < catalogue.nombreClasseurs; ++i) {
        auto* c = new SClasseurPlancher;
        ajouter(catalogue.classeurs, catalogue.dernierClasseur, c);
        l.texte(c->nom);
        c->nombreRequetes = l.nombre(kMinRequete);
        for (std::int32_t j = 0; j < c->nombreRequetes; ++j) {
            auto* q = new SRequetePlancher;
            ajouter(c->requetes, c->derniereRequete, q);
            l.texte(q->nom);
            l.copier(q->drapeaux, sizeof q->drapeaux);
            l.texte(q->filtre);
            l.copier(q->parametres, sizeof q->parametres);
            lireDossier(l, q->racine);
        }
    }
}

void ecrirePlancher(const SCataloguePlancher& catalogue, const std::string& chemin)
{
    CEcrivain e(chemin);
    e.ecrire(catalogue.enTete, sizeof catalogue.enTete);
    e.mot(static_cast<std::uint32_t>(catalogue.nombreClasseurs));
    for (const SClasseurPlancher* c = catalogue.classeurs; c; c = c->suivant) {
        e.texte(c->nom);
        e.mot(static_cast<std::uint32_t>(c->nombreRequetes));
        for (const SRequetePlancher* q = c->requetes; q; q = q->suivant) {
            e.texte(q->nom);
            e.ecrire(q->drapeaux, sizeof q->drapeaux);
            e.texte(q->filtre);
            e.ecrire(q->parametres, sizeof q->parametres);
            ecrireDossier(e, q->racine);
        }
    }
    e.fermer();
}

std::size_t compterFichiersPlancher(const SCataloguePlancher& catalogue)
{
    std::size_t n = 0;
    for (const SClasseurPlancher* c = catalogue.classeurs; c; c = c->suivant)
        for (const SRequetePlancher* q = c->requetes; q; q = q->suivant)
            n += compterFichiers(q->racine);
    return n;
}
