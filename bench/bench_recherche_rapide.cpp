// The quick search over catalogues of a million files: the index built from a loaded
// catalogue, against the load itself; its bytes per file; and a typing session, one
// keystroke after another, each narrowing the former answer when its words refine it,
// as the window does, over one catalogue and over three. The file entries of the
// answer are taken apart from the search.
// Usage: bench_recherche_rapide [fichiers] [tours]

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/CRequeteSynthetique.h"
#include "bench/Mesure.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "search/IndexGarde.h"
#include "search/RechercheRapide.h"
#include "storage/FichierCatalogue.h"

namespace {

// The resident size of this process now, in bytes.
long long residentActuel()
{
    long long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld %lld", &pages, &resident) != 2)
            resident = -1;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// The words typed one key at a time over `index`; prints each keystroke, gives the
// slowest of the first word and the median of those after the first keystroke.
void taper(const std::string& saisie, const std::vector<const CIndexRapide*>& index, int tours, unsigned fils)
{
    std::atomic<bool> arret{false};
    std::string tape;
    std::vector<SMotRapide> anciens;
    std::vector<NumerosTrouves> precedents(index.size());
    std::vector<double> suivantes;
    double premierMot = 0;
    for (char c : saisie) {
        tape += c;
        const std::vector<SMotRapide> mots = analyserMots(tape);
        const bool affine = affinent(mots, anciens);
        std::vector<SPartRecherche> parts;
        for (std::size_t i = 0; i < index.size(); ++i)
            parts.push_back({index[i], affine ? &precedents[i] : nullptr});
        std::vector<double> temps, lignes;
        std::vector<NumerosTrouves> numeros;
        for (int i = 0; i < tours; ++i) {
            temps.push_back(chronometrer([&] { numeros = chercherPartout(parts, mots, arret, fils); }));
            lignes.push_back(chronometrer([&] {
                for (std::size_t k = 0; k < index.size(); ++k)
                    (void)index[k]->fichiers(numeros[k]);
            }));
        }
        std::size_t trouves = 0;
        for (const NumerosTrouves& n : numeros)
            trouves += n.size();
        if (tape.size() > 1)
            suivantes.push_back(mediane(temps));
        if (tape.find(' ') == std::string::npos)
            premierMot = std::max(premierMot, mediane(temps));
        std::printf("  « %-18s »  recherche %6.1f ms%s, entrées %5.1f ms, %zu trouvés\n", tape.c_str(),
                    mediane(temps) * 1000, affine ? " (affinée)" : "          ", mediane(lignes) * 1000, trouves);
        anciens = mots;
        precedents = std::move(numeros);
    }
    std::printf("  premier mot, la touche la plus lente   %.1f ms\n", premierMot * 1000);
    std::printf("  touches suivant la première, médiane   %.1f ms\n", mediane(suivantes) * 1000);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 7;
    if (fichiers == 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_recherche_rapide [fichiers > 0] [tours > 0]\n");
        return 2;
    }
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    std::printf("Construction de %zu fichiers en mémoire...\n", fichiers);
    const std::string chemin = "/tmp/bench_recherche_rapide_" + std::to_string(getpid()) + ".kbt";
    {
        CRequeteSynthetique synthese(fichiers, 20261208);
        if (auto enregistre = enregistrerCatalogue(*synthese.requete().document(), chemin); !enregistre) {
            std::fprintf(stderr, "%s\n", enregistre.raison().c_str());
            return 1;
        }
    }
    std::vector<double> charger, construire;
    std::unique_ptr<CDoc> doc;
    for (int i = 0; i < tours; ++i) {
        doc = std::make_unique<CDoc>();
        CResultat<> charge;
        charger.push_back(chronometrer([&] { charge = chargerCatalogue(*doc, chemin); }));
        // A load that failed leaves no binder to search.
        if (!charge) {
            std::fprintf(stderr, "%s\n", charge.raison().c_str());
            ::unlink(chemin.c_str());
            return 1;
        }
        const CRequete& q = **doc->classeurs().elementA(0)->requetes().begin();
        construire.push_back(chronometrer([&] { CIndexRapide index(q); }));
    }
    unlink(chemin.c_str());
    malloc_trim(0);
    const long long avant = residentActuel();
    const CIndexRapide index(**doc->classeurs().elementA(0)->requetes().begin());
    malloc_trim(0);
    const long long apres = residentActuel();
    std::printf("chargement du catalogue          médiane %.3f s\n", mediane(charger));
    std::printf("index construit                  médiane %.3f s (%.2f × le chargement), %.1f octets par fichier\n",
                mediane(construire), mediane(construire) / mediane(charger),
                double(index.octets()) / double(index.nombreFichiers()));
    std::printf("mémoire résidente en plus        %.1f octets par fichier\n",
                double(apres - avant) / double(index.nombreFichiers()));
    // The index kept in the cache between runs: its size on disk, and the time to make
    // its bytes from the loaded catalogue and where its records start.
    std::vector<std::uint64_t> debuts;
    (void)ecrireCatalogue(*doc, &debuts);
    std::string garde;
    const double tempsGarde = chronometrer([&] { garde = ecrireIndexGardeDocument(*doc, {}, "/tmp/catalogue.kbt", debuts); });
    std::printf("index gardé, sur disque          %.1f octets par fichier, fait en %.3f s\n",
                double(garde.size()) / double(index.nombreFichiers()), tempsGarde);
    // Read back as the window program does when it opens the catalogue (checked whole),
    // then tied to the loaded snapshot and searched at the first keystroke.
    {
        std::vector<std::uint64_t> aligne(garde.size() / 8 + 1);
        std::memcpy(aligne.data(), garde.data(), garde.size());
        const std::string_view octets(reinterpret_cast<const char*>(aligne.data()), garde.size());
        std::vector<double> lire, relier, touche;
        const std::atomic<bool> jamais{false};
        const auto mots = analyserMots("r");
        for (int i = 0; i < tours; ++i) {
            std::optional<std::vector<SRequeteGardee>> lues;
            lire.push_back(chronometrer([&] { lues = lireIndexGarde(octets, {}); }));
            std::unique_ptr<CIndexRapide> sur;
            relier.push_back(chronometrer([&] {
                sur = CIndexRapide::surBlocs(lues->front().blocs, **doc->classeurs().elementA(0)->requetes().begin(), nullptr);
            }));
            touche.push_back(chronometrer([&] { (void)sur->chercherNumeros(mots, jamais); }));
        }
        std::printf("index gardé relu                 vérifié %.1f ms, relié à l'instantané %.1f ms, "
                    "première touche « r » %.1f ms (un fil) : %.1f ms en tout\n",
                    1000 * mediane(lire), 1000 * mediane(relier), 1000 * mediane(touche),
                    1000 * (mediane(relier) + mediane(touche)));
    }

    const unsigned fils = std::max(1U, std::thread::hardware_concurrency());
    std::printf("Un catalogue, %u fils :\n", fils);
    taper("rapport montreal", {&index}, tours, fils);
    std::printf("Un catalogue, un fil :\n");
    taper("rapport montreal", {&index}, tours, 1);
    CRequeteSynthetique deux(fichiers, 2), trois(fichiers, 3);
    const CIndexRapide index2(deux.requete()), index3(trois.requete());
    std::printf("Trois catalogues, %u fils :\n", fils);
    taper("rapport montreal", {&index, &index2, &index3}, tours, fils);
    std::printf("Trois catalogues, un fil :\n");
    taper("rapport montreal", {&index, &index2, &index3}, tours, 1);
    return 0;
}
