#include "search/IndexGarde.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "platform/SommeRapide.h"

namespace {

constexpr char kMagie[8] = {'N', 'R', 'V', 'I', 'D', 'X', 'K', '\0'};
constexpr std::size_t kPosSomme = 24;
constexpr std::size_t kPosIdentite = 32;
constexpr std::size_t kPosCheminCatalogue = 88;
constexpr std::size_t kTailleEntete = 104;

// A query's table: its counts and flags, then the offset and size of each section.
enum ESection : std::size_t { kNom, kNoms, kDebutNoms, kChemins, kDebutChemins, kPremierFichier, kStockes, kDebutStockes,
                              kPremierEnregistrement, kDecalages, kSections };
constexpr std::size_t kMotsTable = 3 + 2 * kSections;
constexpr std::size_t kTailleTable = kMotsTable * 8;

void poser64(std::string& o, std::size_t pos, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        o[pos + std::size_t(i)] = char(v >> (8 * i));
}

std::uint64_t lire64(std::string_view o, std::size_t pos)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(o[pos + std::size_t(i)]);
    return v;
}

template <typename T>
std::string_view octetsDe(std::span<const T> v)
{
    return {reinterpret_cast<const char*>(v.data()), v.size_bytes()};
}

void ecrireIdentite(std::string& o, std::size_t pos, const SIdentiteCatalogue& c)
{
    const std::uint64_t mots[] = {c.fichier.peripherique, c.fichier.inode, std::uint64_t(c.fichier.taille),
                                  std::uint64_t(c.fichier.modificationSecondes),
                                  std::uint64_t(c.fichier.modificationNanos), std::uint64_t(c.changementNanos),
                                  c.sommeEntete};
    for (std::size_t i = 0; i < std::size(mots); ++i)
        poser64(o, pos + 8 * i, mots[i]);
}

SIdentiteCatalogue lireIdentite(std::string_view o, std::size_t pos)
{
    SIdentiteCatalogue c;
    c.fichier.peripherique = lire64(o, pos);
    c.fichier.inode = lire64(o, pos + 8);
    c.fichier.taille = std::int64_t(lire64(o, pos + 16));
    c.fichier.modificationSecondes = std::int64_t(lire64(o, pos + 24));
    c.fichier.modificationNanos = std::int64_t(lire64(o, pos + 32));
    c.changementNanos = std::int64_t(lire64(o, pos + 40));
    c.sommeEntete = lire64(o, pos + 48);
    return c;
}

// The folders' stored paths in the index's order: a folder, its files, its sub-folders.
void ajouterChemins(const CDossier& d, std::vector<std::string>& chemins)
{
    chemins.push_back(d.chemin());
    for (const CDossier* s : d.sousDossiers())
        ajouterChemins(*s, chemins);
}

} // namespace

SRequeteAGarder requeteAGarder(const CRequete& q, const CIndexRapide& index, std::vector<std::uint64_t> debutsFichiers)
{
    SRequeteAGarder r;
    r.nom = q.nom();
    r.drapeaux = std::uint8_t((q.stockerTaille ? kGardeTaille : 0) | (q.stockerCree ? kGardeCree : 0) |
                              (q.stockerModifie ? kGardeModifie : 0) | (q.stockerAccede ? kGardeAccede : 0) |
                              (q.stockerAttributs ? kGardeAttributs : 0));
    r.index = &index;
    ajouterChemins(q, r.cheminsDossiers);
    r.debutsFichiers = std::move(debutsFichiers);
    return r;
}

std::optional<SIndexGardeEnMorceaux> ecrireIndexGardeEnMorceaux(const SIdentiteCatalogue& catalogue,
                                                                std::string_view cheminCatalogue,
                                                                const std::vector<SRequeteAGarder>& requetes)
{
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    static constexpr char kZeros[8] = {};
    if (requetes.size() > kMax)
        return std::nullopt;
    SIndexGardeEnMorceaux m;
    // The header and tables first, filled in as the sections fall into place.
    std::string& entete = m.tampons.emplace_back(kTailleEntete + kTailleTable * requetes.size(), '\0');
    std::memcpy(entete.data(), kMagie, sizeof kMagie);
    poser64(entete, 8, std::uint64_t(kVersionIndexGarde) | std::uint64_t(requetes.size()) << 32);
    ecrireIdentite(entete, kPosIdentite, catalogue);
    poser64(entete, kPosCheminCatalogue, entete.size());
    poser64(entete, kPosCheminCatalogue + 8, cheminCatalogue.size());
    entete.append(cheminCatalogue);
    m.morceaux.push_back(entete);
    std::uint64_t taille = entete.size();
    const auto ajouter = [&](std::string_view morceau) {
        if (taille % 8 != 0) {
            m.morceaux.emplace_back(kZeros, 8 - taille % 8);
            taille += 8 - taille % 8;
        }
        m.morceaux.push_back(morceau);
        taille += morceau.size();
        return taille - morceau.size();
    };
    for (std::size_t r = 0; r < requetes.size(); ++r) {
        const SRequeteAGarder& q = requetes[r];
        const SBlocsIndexRapide& b = q.index->blocs();
        const std::size_t dossiers = b.premierFichier.size() - 1, fichiers = b.debutNoms.size() - 1;
        if (q.cheminsDossiers.size() != dossiers || q.debutsFichiers.size() != fichiers)
            return std::nullopt;
        std::string& stockes = m.tampons.emplace_back();
        std::vector<std::uint32_t>& debutStockes = m.mots32.emplace_back(1, 0);
        std::vector<std::uint64_t>& premiers = m.mots64.emplace_back(dossiers, 0);
        std::vector<std::uint32_t>& decalages = m.mots32.emplace_back(fichiers, 0);
        for (std::size_t d = 0; d < dossiers; ++d) {
            stockes += q.cheminsDossiers[d];
            if (stockes.size() > kMax)
                return std::nullopt;
            debutStockes.push_back(std::uint32_t(stockes.size()));
            const std::uint32_t premier = b.premierFichier[d], fin = b.premierFichier[d + 1];
            premiers[d] = premier < fin ? q.debutsFichiers[premier] : 0;
            for (std::uint32_t f = premier; f < fin; ++f) {
                const std::uint64_t ecart = q.debutsFichiers[f] - premiers[d];
                if (q.debutsFichiers[f] < premiers[d] || ecart > kMax)
                    return std::nullopt;
                decalages[f] = std::uint32_t(ecart);
            }
        }
        const std::string_view sections[kSections] = {
            q.nom, b.noms, octetsDe(b.debutNoms), b.chemins, octetsDe(b.debutChemins), octetsDe(b.premierFichier),
            stockes, octetsDe(std::span<const std::uint32_t>(debutStockes)),
            octetsDe(std::span<const std::uint64_t>(premiers)), octetsDe(std::span<const std::uint32_t>(decalages))};
        const std::size_t table = kTailleEntete + kTailleTable * r;
        poser64(entete, table, dossiers);
        poser64(entete, table + 8, fichiers);
        poser64(entete, table + 16, q.drapeaux);
        for (std::size_t k = 0; k < kSections; ++k) {
            poser64(entete, table + 24 + 16 * k, ajouter(sections[k]));
            poser64(entete, table + 32 + 16 * k, sections[k].size());
        }
    }
    ajouter({});
    poser64(entete, 16, taille);
    CSommeRapide somme;
    for (std::size_t i = 0; i < m.morceaux.size(); ++i)
        somme.ajouter(i == 0 ? m.morceaux[0].substr(kPosSomme + 8) : m.morceaux[i]);
    poser64(entete, kPosSomme, somme.valeur());
    return m;
}

std::string ecrireIndexGarde(const SIdentiteCatalogue& catalogue, std::string_view cheminCatalogue,
                             const std::vector<SRequeteAGarder>& requetes)
{
    const auto m = ecrireIndexGardeEnMorceaux(catalogue, cheminCatalogue, requetes);
    std::string o;
    if (m)
        for (std::string_view morceau : m->morceaux)
            o.append(morceau);
    return o;
}

SRequetesAGarder requetesAGarder(const CDoc& doc)
{
    SRequetesAGarder r;
    for (const CClasseur* c : doc.classeurs())
        for (const CRequete* q : c->requetes()) {
            r.index.push_back(std::make_unique<CIndexRapide>(*q));
            r.requetes.push_back(requeteAGarder(*q, *r.index.back(), {}));
        }
    return r;
}

bool repartirDebuts(std::vector<SRequeteAGarder>& requetes, const std::vector<std::uint64_t>& debutsFichiers)
{
    std::size_t pris = 0;
    for (SRequeteAGarder& q : requetes) {
        const std::size_t n = q.index->nombreFichiers();
        if (n > debutsFichiers.size() - pris)
            return false;
        const auto debut = debutsFichiers.begin() + std::ptrdiff_t(pris);
        q.debutsFichiers.assign(debut, debut + std::ptrdiff_t(n));
        pris += n;
    }
    return pris == debutsFichiers.size();
}

std::string ecrireIndexGardeDocument(const CDoc& doc, const SIdentiteCatalogue& catalogue,
                                     std::string_view cheminCatalogue, const std::vector<std::uint64_t>& debutsFichiers)
{
    SRequetesAGarder r = requetesAGarder(doc);
    return repartirDebuts(r.requetes, debutsFichiers) ? ecrireIndexGarde(catalogue, cheminCatalogue, r.requetes)
                                                      : std::string();
}

std::optional<std::string_view> cheminCatalogueGarde(std::string_view o)
{
    if (o.size() < kTailleEntete || std::memcmp(o.data(), kMagie, sizeof kMagie) != 0)
        return std::nullopt;
    const std::uint64_t nombre = lire64(o, 8) >> 32, debut = lire64(o, kPosCheminCatalogue),
                        taille = lire64(o, kPosCheminCatalogue + 8);
    if (nombre > (o.size() - kTailleEntete) / kTailleTable || debut != kTailleEntete + kTailleTable * nombre ||
        taille > o.size() - debut)
        return std::nullopt;
    return o.substr(debut, taille);
}

std::optional<std::vector<SRequeteGardee>> lireIndexGarde(std::string_view o, const SIdentiteCatalogue& attendu)
{
    if (o.size() < kTailleEntete || reinterpret_cast<std::uintptr_t>(o.data()) % 8 != 0 ||
        std::memcmp(o.data(), kMagie, sizeof kMagie) != 0)
        return std::nullopt;
    const std::uint64_t versionEtNombre = lire64(o, 8);
    const std::uint64_t nombre = versionEtNombre >> 32;
    if (std::uint32_t(versionEtNombre) != kVersionIndexGarde || lire64(o, 16) != o.size() ||
        nombre > (o.size() - kTailleEntete) / kTailleTable || lireIdentite(o, kPosIdentite) != attendu ||
        !cheminCatalogueGarde(o) || lire64(o, kPosSomme) != sommeRapide(o.substr(kPosSomme + 8)))
        return std::nullopt;
    const std::size_t finTables = kTailleEntete + kTailleTable * nombre + cheminCatalogueGarde(o)->size();
    std::vector<SRequeteGardee> requetes;
    for (std::size_t r = 0; r < nombre; ++r) {
        const std::size_t table = kTailleEntete + kTailleTable * r;
        const std::uint64_t dossiers = lire64(o, table), fichiers = lire64(o, table + 8), drapeaux = lire64(o, table + 16);
        if (dossiers >= std::numeric_limits<std::uint32_t>::max() || fichiers >= std::numeric_limits<std::uint32_t>::max() ||
            drapeaux > 0xFF)
            return std::nullopt;
        // Each section where it says, aligned, after the tables, inside the file, of the
        // size its count gives.
        // (Texts have the size they have: ~0 there.)
        constexpr std::uint64_t kLibre = ~std::uint64_t{0};
        const std::uint64_t attendus[kSections] = {kLibre, kLibre, (fichiers + 1) * 4, kLibre, (dossiers + 1) * 4,
                                                   (dossiers + 1) * 4, kLibre, (dossiers + 1) * 4, dossiers * 8,
                                                   fichiers * 4};
        std::string_view s[kSections];
        for (std::size_t k = 0; k < kSections; ++k) {
            const std::uint64_t debut = lire64(o, table + 24 + 16 * k), taille = lire64(o, table + 32 + 16 * k);
            if (debut % 8 != 0 || debut < finTables || debut > o.size() || taille > o.size() - debut ||
                (attendus[k] != kLibre && taille != attendus[k]))
                return std::nullopt;
            s[k] = o.substr(debut, taille);
        }
        const auto mots32 = [](std::string_view v) {
            return std::span<const std::uint32_t>(reinterpret_cast<const std::uint32_t*>(v.data()), v.size() / 4);
        };
        SRequeteGardee q;
        q.nom = s[kNom];
        q.drapeaux = std::uint8_t(drapeaux);
        q.blocs = {s[kNoms], mots32(s[kDebutNoms]), s[kChemins], mots32(s[kDebutChemins]), mots32(s[kPremierFichier])};
        q.chemins = s[kStockes];
        q.debutChemins = mots32(s[kDebutStockes]);
        q.premierEnregistrement = std::span<const std::uint64_t>(
            reinterpret_cast<const std::uint64_t*>(s[kPremierEnregistrement].data()), dossiers);
        q.decalages = mots32(s[kDecalages]);
        if (!blocsCoherents(q.blocs) || q.debutChemins.front() != 0 || q.debutChemins.back() != q.chemins.size() ||
            !std::is_sorted(q.debutChemins.begin(), q.debutChemins.end()))
            return std::nullopt;
        requetes.push_back(q);
    }
    return requetes;
}
