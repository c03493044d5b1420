#include "search/RechercheRapide.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// About this many files to a part: small enough to share a million files between two
// threads evenly, large enough that taking a part costs nothing.
constexpr std::uint32_t kFichiersParPart = 32768;

struct STache {
    std::size_t part;
    std::uint32_t premierDossier;
    std::uint32_t finDossiers;  // 0 with premierDossier 0: the narrowing search, whole
    NumerosTrouves trouves;
};

std::vector<STache> decouper(const std::vector<SPartRecherche>& parts)
{
    std::vector<STache> taches;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const CIndexRapide& index = *parts[p].index;
        if (parts[p].parmi) {
            taches.push_back({p, 0, 0, {}});
            continue;
        }
        std::uint32_t debut = 0;
        while (debut < index.nombreDossiers()) {
            std::uint32_t fin = debut + 1;
            while (fin < index.nombreDossiers() &&
                   index.premierFichierDe(fin) - index.premierFichierDe(debut) < kFichiersParPart)
                ++fin;
            taches.push_back({p, debut, fin, {}});
            debut = fin;
        }
    }
    return taches;
}

} // namespace

std::vector<NumerosTrouves> chercherPartout(const std::vector<SPartRecherche>& parts,
                                            const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret,
                                            unsigned fils)
{
    std::vector<STache> taches = decouper(parts);
    std::atomic<std::size_t> suivante{0};
    // The first failure of any thread (memory short): the others stop, and the caller
    // gets it once they are all done; none leaves its thread.
    std::mutex verrou;
    std::exception_ptr erreur;
    std::atomic<bool> echec{false};
    const auto travailler = [&]() noexcept {
        try {
            for (std::size_t t;
                 !echec.load(std::memory_order_relaxed) && (t = suivante.fetch_add(1)) < taches.size() &&
                 !arret.load(std::memory_order_relaxed);) {
                STache& tache = taches[t];
                const SPartRecherche& part = parts[tache.part];
                tache.trouves = part.parmi
                                    ? part.index->chercherNumeros(mots, arret, part.parmi)
                                    : part.index->chercherDans(mots, arret, tache.premierDossier, tache.finDossiers);
            }
        } catch (...) {
            std::lock_guard garde(verrou);
            if (!erreur)
                erreur = std::current_exception();
            echec = true;
        }
    };
    std::vector<std::thread> aides;
    const std::size_t nombreAides = std::min<std::size_t>(std::max(fils, 1U) - 1, taches.size() / 2);
    try {
        aides.reserve(nombreAides);
        for (std::size_t i = 0; i < nombreAides; ++i)
            aides.emplace_back(travailler);
    } catch (...) {
        // The system gives no more threads (too many processes for this user), or no
        // memory for them: those started share the parts, else this thread takes them all.
    }
    travailler();
    for (std::thread& t : aides)
        t.join();
    if (erreur)
        std::rethrow_exception(erreur);

    std::vector<NumerosTrouves> reponses(parts.size());
    for (STache& tache : taches) {
        NumerosTrouves& r = reponses[tache.part];
        if (r.empty())
            r = std::move(tache.trouves);
        else
            r.insert(r.end(), tache.trouves.begin(), tache.trouves.end());
    }
    return reponses;
}
