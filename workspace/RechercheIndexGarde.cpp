#include "workspace/RechercheIndexGarde.h"

#include <atomic>

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/IndexRapide.h"
#include "storage/LecteurEnregistrements.h"

CTrouvaillesGardees::CTrouvaillesGardees() = default;
CTrouvaillesGardees::~CTrouvaillesGardees() = default;
CTrouvaillesGardees::CTrouvaillesGardees(CTrouvaillesGardees&&) noexcept = default;

std::optional<CTrouvaillesGardees> chercherParIndexGarde(int fd, std::uint64_t taille, const SIndexGardeOuvert& index,
                                                         const std::vector<SMotRapide>& mots)
{
    const std::atomic<bool> jamais{false};
    CLecteurEnregistrements lecteur(fd, taille);
    CTrouvaillesGardees trouvailles;
    for (const SRequeteGardee& g : index.requetes) {
        const auto recherche = CIndexRapide::surBlocs(g.blocs);
        if (!recherche)
            return std::nullopt;
        const std::vector<std::uint32_t> numeros = recherche->chercherNumeros(mots, jamais);
        if (numeros.empty())
            continue;
        // A query of the stored values, its folders as stored: the rows read as the
        // loaded catalogue's.
        auto q = std::make_unique<CRequete>(nullptr);
        q->definirNom(std::string(g.nom));
        q->stockerTaille = g.drapeaux & kGardeTaille;
        q->stockerCree = g.drapeaux & kGardeCree;
        q->stockerModifie = g.drapeaux & kGardeModifie;
        q->stockerAccede = g.drapeaux & kGardeAccede;
        q->stockerAttributs = g.drapeaux & kGardeAttributs;
        std::uint32_t d = 0;
        CDossier* dossier = nullptr;
        std::string plie;
        for (const std::uint32_t f : numeros) {
            if (!dossier || g.blocs.premierFichier[d + 1] <= f) {
                while (g.blocs.premierFichier[d + 1] <= f)
                    ++d;
                dossier = new CDossier(q.get(), std::string(g.cheminDossier(d)), false);
                q->sousDossiers().ajouter(dossier);
            }
            const CFichier* lu = lecteur.lire(g.debutFichier(d, f), *dossier);
            // The record must be the file the index names: else the catalogue changed
            // in a way its identity did not tell, and the index is not used.
            if (!lu)
                return std::nullopt;
            plie.clear();
            plierALaSuite(lu->nom(), plie);
            const std::string_view nomIndex =
                g.blocs.noms.substr(g.blocs.debutNoms[f], g.blocs.debutNoms[f + 1] - g.blocs.debutNoms[f] - 1);
            if (plie != nomIndex)
                return std::nullopt;
            trouvailles.fichiers_.push_back(lu);
        }
        trouvailles.requetes_.push_back(std::move(q));
    }
    return trouvailles;
}
