#include "search/IndexRapide.h"

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/CDossier.h"
#include "model/CFichier.h"
#include "platform/MotifChemin.h"

namespace {

// Offsets are 32 bits: past 4 GiB of names a catalogue could not be loaded anyway.
constexpr std::size_t kOctetsMax = std::numeric_limits<std::uint32_t>::max() - 1;

// How often a long scan looks at its stop flag.
constexpr std::uint32_t kPasArret = 1U << 14;

// The first place of `mot` in [debut, fin). Sixteen places are tried at once on their
// first and last byte, and only those passing both compared whole: several times the
// library's memmem on the short words people type.
const char* trouverDans(const char* debut, const char* fin, std::string_view mot)
{
    const std::size_t k = mot.size();
    if (k == 0 || static_cast<std::size_t>(fin - debut) < k)
        return nullptr;
    if (k == 1)
        return static_cast<const char*>(std::memchr(debut, mot[0], static_cast<std::size_t>(fin - debut)));
    const char* const limite = fin - k + 1;  // past the last place a word may start
    const char* p = debut;
#if defined(__SSE2__)
    const __m128i premier = _mm_set1_epi8(mot[0]);
    const __m128i dernier = _mm_set1_epi8(mot[k - 1]);
    for (; limite - p >= 16; p += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k - 1));
        auto masque = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, premier), _mm_cmpeq_epi8(b, dernier))));
        for (; masque != 0; masque &= masque - 1) {
            const int i = __builtin_ctz(masque);
            if (std::memcmp(p + i + 1, mot.data() + 1, k - 2) == 0)
                return p + i;
        }
    }
#endif
    for (; p < limite; ++p)
        if (*p == mot[0] && std::memcmp(p, mot.data(), k) == 0)
            return p;
    return nullptr;
}

} // namespace

CIndexRapide::CIndexRapide(const CDossier& racine)
{
    ajouter(racine);
    debutNoms_.push_back(static_cast<std::uint32_t>(noms_.size()));
    debutChemins_.push_back(static_cast<std::uint32_t>(chemins_.size()));
    premierFichier_.push_back(static_cast<std::uint32_t>(debutNoms_.size() - 1));
    // Grown by doubling: what was left over goes back.
    noms_.shrink_to_fit();
    chemins_.shrink_to_fit();
    debutNoms_.shrink_to_fit();
    debutChemins_.shrink_to_fit();
    premierFichier_.shrink_to_fit();
    fichiers_.shrink_to_fit();
    b_ = {noms_, debutNoms_, chemins_, debutChemins_, premierFichier_};
}

std::unique_ptr<CIndexRapide> CIndexRapide::surBlocs(const SBlocsIndexRapide& blocs)
{
    if (!blocsCoherents(blocs))
        return nullptr;
    std::unique_ptr<CIndexRapide> index(new CIndexRapide());
    index->b_ = blocs;
    return index;
}

std::unique_ptr<CIndexRapide> CIndexRapide::surBlocs(const SBlocsIndexRapide& blocs, const CDossier& racine,
                                                   std::shared_ptr<const void> garde)
{
    std::unique_ptr<CIndexRapide> index = surBlocs(blocs);
    if (!index)
        return nullptr;
    // The snapshot must have the shape of the one the blocks were made from: as many
    // folders, in the same order, each with as many files.
    index->fichiers_.reserve(index->nombreFichiers());
    std::uint32_t dossier = 0;
    bool pareil = true;
    const auto parcourir = [&](const auto& soi, const CDossier& d) -> void {
        if (!pareil || dossier >= index->nombreDossiers() ||
            std::uint32_t(d.fichiers().nombre()) != blocs.premierFichier[dossier + 1] - blocs.premierFichier[dossier]) {
            pareil = false;
            return;
        }
        ++dossier;
        for (CFichier* f : d.fichiers())
            index->fichiers_.push_back(f);
        for (const CDossier* s : d.sousDossiers())
            soi(soi, *s);
    };
    parcourir(parcourir, racine);
    if (!pareil || dossier != index->nombreDossiers())
        return nullptr;
    index->garde_ = std::move(garde);
    return index;
}

bool blocsCoherents(const SBlocsIndexRapide& b)
{
    // Offsets rise within their block, and each text ends with its zero byte.
    const auto suite = [](std::span<const std::uint32_t> debuts, std::string_view bloc, std::size_t minimum) {
        if (debuts.empty() || debuts.front() != 0 || debuts.back() != bloc.size())
            return false;
        for (std::size_t i = 0; i + 1 < debuts.size(); ++i)
            if (debuts[i + 1] > bloc.size() || std::uint64_t(debuts[i + 1]) < std::uint64_t(debuts[i]) + minimum ||
                bloc[debuts[i + 1] - 1] != '\0')
                return false;
        return true;
    };
    if (!suite(b.debutNoms, b.noms, 1) || !suite(b.debutChemins, b.chemins, 2))
        return false;
    // A path's last byte before its zero is the separator its files' names follow.
    for (std::size_t d = 0; d + 1 < b.debutChemins.size(); ++d) {
        const char sep = b.chemins[b.debutChemins[d + 1] - 2];
        if (sep != '/' && sep != '\\')
            return false;
    }
    const std::size_t fichiers = b.debutNoms.size() - 1;
    if (b.premierFichier.size() != b.debutChemins.size() || b.premierFichier.front() != 0 ||
        b.premierFichier.back() != fichiers)
        return false;
    return std::is_sorted(b.premierFichier.begin(), b.premierFichier.end());
}

void CIndexRapide::ajouter(const CDossier& dossier)
{
    if (noms_.size() > kOctetsMax || chemins_.size() > kOctetsMax)
        return;
    premierFichier_.push_back(static_cast<std::uint32_t>(debutNoms_.size()));
    debutChemins_.push_back(static_cast<std::uint32_t>(chemins_.size()));
    const std::string& chemin = dossier.chemin();
    plierALaSuite(chemin, chemins_);
    // A path captured on Windows puts '\' before its files' names.
    chemins_ += !chemin.empty() && chemin[0] != '/' ? '\\' : '/';
    chemins_ += '\0';
    for (CFichier* f : dossier.fichiers()) {
        debutNoms_.push_back(static_cast<std::uint32_t>(noms_.size()));
        fichiers_.push_back(f);
        plierALaSuite(f->nom(), noms_);
        noms_ += '\0';
    }
    for (CDossier* s : dossier.sousDossiers())
        ajouter(*s);
}

std::uint64_t CIndexRapide::motsDansDossier(std::uint32_t dossier, const std::vector<SMotRapide>& mots) const
{
    // The path with its separator: "photos/" is in the folder, not across it.
    const std::string_view c(b_.chemins.data() + b_.debutChemins[dossier], b_.debutChemins[dossier + 1] - b_.debutChemins[dossier] - 1);
    std::uint64_t masque = 0;
    for (std::size_t m = 0; m < mots.size() && m < 64; ++m)
        if (!mots[m].motif && c.find(mots[m].texte) != std::string_view::npos)
            masque |= std::uint64_t{1} << m;
    return masque;
}

bool CIndexRapide::fichierCorrespond(std::uint32_t fichier, std::uint32_t dossier, std::uint64_t dansDossier,
                                     const std::vector<SMotRapide>& mots) const
{
    const std::string_view n = nom(fichier);
    for (std::size_t m = 0; m < mots.size(); ++m) {
        const SMotRapide& mot = mots[m];
        if (mot.motif) {
            if (!correspondMotif(n, mot.texte))
                return false;
        } else if (m < 64 && (dansDossier >> m & 1) != 0) {
            continue;
        } else if (n.find(mot.texte) != std::string_view::npos) {
            continue;
        } else {
            // Only a word holding the separator can run from the folder into the name.
            const std::string_view c = chemin(dossier);
            const char separateur = c.back();
            if (mot.texte.find(separateur) == std::string::npos)
                return false;
            std::string entier(c);
            entier.append(n);
            if (entier.find(mot.texte) == std::string::npos)
                return false;
        }
    }
    return true;
}

std::uint32_t CIndexRapide::dossierDe(std::uint32_t fichier, std::uint32_t depuis) const
{
    // Folders come in file order; most steps are short, a long one is searched.
    if (b_.premierFichier[depuis + 1] > fichier)
        return depuis;
    const auto it = std::upper_bound(b_.premierFichier.begin() + depuis, b_.premierFichier.end(), fichier);
    return static_cast<std::uint32_t>(it - b_.premierFichier.begin() - 1);
}

std::vector<std::uint32_t> CIndexRapide::chercherNumeros(const std::vector<SMotRapide>& mots,
                                                         const std::atomic<bool>& arret,
                                                         const std::vector<std::uint32_t>* parmi) const
{
    // Past a quarter of the files, trying each former answer costs more than a scan.
    if (parmi && parmi->size() <= std::max<std::size_t>(nombreFichiers() / 4, 4096))
        return chercherParmi(mots, arret, *parmi);
    return chercherDans(mots, arret, 0, nombreDossiers());
}

std::vector<std::uint32_t> CIndexRapide::chercherParmi(const std::vector<SMotRapide>& mots,
                                                       const std::atomic<bool>& arret,
                                                       const std::vector<std::uint32_t>& parmi) const
{
    std::vector<std::uint32_t> trouves;
    if (mots.empty())
        return trouves;
    std::uint32_t d = 0;
    std::uint32_t masqueDe = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t masque = 0;
    for (std::size_t i = 0; i < parmi.size(); ++i) {
        if (i % kPasArret == 0 && arret.load(std::memory_order_relaxed))
            break;
        const std::uint32_t f = parmi[i];
        if (f >= nombreFichiers())
            break;
        // The names tried lie far apart: ask for them ahead, their offsets first.
        if (i + 16 < parmi.size() && parmi[i + 16] < nombreFichiers())
            __builtin_prefetch(&b_.debutNoms[parmi[i + 16]]);
        if (i + 8 < parmi.size() && parmi[i + 8] < nombreFichiers())
            __builtin_prefetch(b_.noms.data() + b_.debutNoms[parmi[i + 8]]);
        d = dossierDe(f, d);
        if (masqueDe != d) {
            masque = motsDansDossier(d, mots);
            masqueDe = d;
        }
        if (fichierCorrespond(f, d, masque, mots))
            trouves.push_back(f);
    }
    return trouves;
}

std::vector<std::uint32_t> CIndexRapide::chercherDans(const std::vector<SMotRapide>& mots,
                                                      const std::atomic<bool>& arret, std::uint32_t premierDossier,
                                                      std::uint32_t finDossiers) const
{
    std::vector<std::uint32_t> trouves;
    if (mots.empty())
        return trouves;
    // The longest plain word leads: a folder whose path holds it gives all its files
    // to try, another only the names a scan of its block finds holding it.
    const SMotRapide* tete = nullptr;
    for (const SMotRapide& m : mots)
        if (!m.motif && (!tete || m.texte.size() > tete->texte.size()))
            tete = &m;
    // A folder whose path holds every word gives all its files, untried.
    std::uint64_t tousDansDossier = 0;
    for (std::size_t m = 0; m < mots.size(); ++m)
        tousDansDossier = mots[m].motif || m >= 64 ? ~std::uint64_t{0} : tousDansDossier | std::uint64_t{1} << m;
    const bool teteSeule = mots.size() == 1;
    std::uint32_t compteur = kPasArret;  // the flag is read before the first folder
    for (std::uint32_t d = premierDossier; d < std::min(finDossiers, nombreDossiers()); ++d) {
        const std::uint32_t premier = b_.premierFichier[d];
        const std::uint32_t fin = b_.premierFichier[d + 1];
        if (premier == fin)
            continue;
        compteur += fin - premier;
        if (compteur >= kPasArret) {
            compteur = 0;
            if (arret.load(std::memory_order_relaxed))
                break;
        }
        const std::uint64_t masque = motsDansDossier(d, mots);
        const bool teteDansDossier =
            !tete || (static_cast<std::size_t>(tete - mots.data()) < 64 && (masque >> (tete - mots.data()) & 1) != 0);
        if (masque == tousDansDossier) {
            for (std::uint32_t f = premier; f < fin; ++f)
                trouves.push_back(f);
            continue;
        }
        if (teteDansDossier) {
            for (std::uint32_t f = premier; f < fin; ++f)
                if (fichierCorrespond(f, d, masque, mots))
                    trouves.push_back(f);
            continue;
        }
        const char* bloc = b_.noms.data() + b_.debutNoms[premier];
        const char* finBloc = b_.noms.data() + b_.debutNoms[fin];
        std::uint32_t f = premier;
        while (const char* p = trouverDans(bloc, finBloc, tete->texte)) {
            const auto position = static_cast<std::uint32_t>(p - b_.noms.data());
            while (b_.debutNoms[f + 1] <= position)
                ++f;
            // Alone, the word found inside the name is the whole test.
            const bool dansLeNom = position + tete->texte.size() < b_.debutNoms[f + 1];
            if (teteSeule ? dansLeNom : fichierCorrespond(f, d, masque, mots))
                trouves.push_back(f);
            bloc = b_.noms.data() + b_.debutNoms[f + 1];
            if (++f >= fin)
                break;
        }
        // A word holding the separator may also run from the path into a name.
        if (tete->texte.find(chemin(d).back()) != std::string::npos) {
            std::vector<std::uint32_t> aussi;
            for (std::uint32_t g = premier; g < fin; ++g)
                if (fichierCorrespond(g, d, masque, mots))
                    aussi.push_back(g);
            trouves.erase(std::lower_bound(trouves.begin(), trouves.end(), premier), trouves.end());
            trouves.insert(trouves.end(), aussi.begin(), aussi.end());
        }
    }
    return trouves;
}

std::vector<CFichier*> CIndexRapide::fichiers(const std::vector<std::uint32_t>& numeros) const
{
    std::vector<CFichier*> liste;
    liste.reserve(numeros.size());
    for (std::uint32_t numero : numeros)
        if (numero < fichiers_.size())
            liste.push_back(fichiers_[numero]);
    return liste;
}

std::size_t CIndexRapide::octets() const
{
    return noms_.capacity() + chemins_.capacity() +
           (debutNoms_.capacity() + debutChemins_.capacity() + premierFichier_.capacity()) * sizeof(std::uint32_t) +
           fichiers_.capacity() * sizeof(CFichier*);
}
