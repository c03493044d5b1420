// Time of loading and saving a catalogue of a million file entries, against the least
// any reader and writer of the same records must do (CataloguePlancher), and the memory
// an entry takes once loaded, measured in a fresh process.
// Usage: bench_fichier [fichiers] [tours]
// (bench_fichier --memoire nous|plancher FICHIER is the child that measures memory.)

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/CRequeteSynthetique.h"
#include "bench/CataloguePlancher.h"
#include "bench/Mesure.h"
#include "bench/MesureMemoire.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "storage/CArchive.h"
#include "storage/CSortie.h"
#include "storage/FichierCatalogue.h"
#include "storage/SerialisationNoeuds.h"

namespace {

constexpr double kObjectifRatio = 2.0;
constexpr double kObjectifNs = 300;
constexpr double kObjectifOctets = 300;

// The files of a run, all in one folder of /tmp removed at the end.
struct SFichiers {
    std::string dossier = "/tmp/norvanel-bench-fichier";
    std::string source = dossier + "/source.cat";
    std::string nous = dossier + "/nous.cat";
    std::string sansSynchro = dossier + "/nous-sans-fsync.cat";
    std::string plancher = dossier + "/plancher.cat";
};

std::size_t compterFichiers(const CDossier& d)
{
    std::size_t n = std::size_t(d.fichiers().nombre());
    for (const CDossier* s : d.sousDossiers())
        n += compterFichiers(*s);
    return n;
}

std::size_t compterFichiers(const CDoc& doc)
{
    std::size_t n = 0;
    for (const CClasseur* c : doc.classeurs())
        for (const CRequete* q : c->requetes())
            n += compterFichiers(*q);
    return n;
}

// An output that writes straight to a descriptor.
class CSortieDescripteur : public CSortie {
public:
    explicit CSortieDescripteur(int fd) : fd_(fd) {}

protected:
    bool ecrireTout(const char* o, std::size_t n) override
    {
        while (n > 0) {
            const ssize_t ecrits = ::write(fd_, o, n);
            if (ecrits <= 0)
                return false;
            o += ecrits;
            n -= static_cast<std::size_t>(ecrits);
        }
        return true;
    }

private:
    int fd_;
};

// What enregistrerCatalogue writes, written the same way into a new file, without the
// temporary file, the fsync and the rename: the floor does not sync either.
bool ecrireSansSynchro(CDoc& doc, const std::string& chemin)
{
    const int fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    CSortieDescripteur sortie(fd);
    bool ecrit = false;
    {
        CArchive ar(sortie);
        serialiserDocument(ar, doc);
        ecrit = ar.vider();
    }
    return ::close(fd) == 0 && ecrit;
}

std::string contenu(const std::string& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

// The child of the memory measure: loads `fichier` with our reader or the floor's.
int enfantMemoire(const std::string& qui, const std::string& fichier)
{
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    const long long avant = pointeMemoire();
    std::size_t entrees = 0;
    // What is loaded is never freed: the process ends right after the measure.
    if (qui == "nous") {
        auto* doc = new CDoc;
        if (auto charge = chargerCatalogue(*doc, fichier); !charge) {
            std::fprintf(stderr, "%s\n", charge.raison().c_str());
            return 1;
        }
        entrees = compterFichiers(*doc);
    } else {
        auto* catalogue = new SCataloguePlancher;
        chargerPlancher(fichier, *catalogue);
        entrees = compterFichiersPlancher(*catalogue);
    }
    rapporterMemoire(entrees, avant, pointeMemoire());
    std::_Exit(0);
}

// The measures of one kind over the rounds.
struct SSerie {
    const char* libelle;
    std::vector<double> mur = {}, cpu = {};
    void ajouter(const SMesure& m)
    {
        mur.push_back(m.mur);
        cpu.push_back(m.cpu);
    }
    double nsMedian(double fichiers) const { return mediane(mur) * 1e9 / fichiers; }
};

// Per-round ratios, ours over the floor, wall-clock and CPU.
struct SRatios {
    std::vector<double> mur = {}, cpu = {};
    void ajouter(const SMesure& nous, const SMesure& plancher)
    {
        mur.push_back(nous.mur / plancher.mur);
        cpu.push_back(nous.cpu / plancher.cpu);
    }
};

struct SResultats {
    SSerie chargeNous{"chargement : chargerCatalogue"};
    SSerie chargePlancher{"chargement : plancher"};
    SSerie ecritSynchro{"écriture : enregistrerCatalogue (fsync)"};
    SSerie ecritSansSynchro{"écriture : même écriture, sans fsync"};
    SSerie ecritPlancher{"écriture : plancher (sans fsync)"};
    SRatios chargement, ecriture;
};

// `a` then `b`, or `b` then `a`: the order turns from one round to the next, so that
// no one always runs first.
template <typename A, typename B>
void alterner(int tour, A&& a, B&& b)
{
    if (tour % 2 == 0) {
        a();
        b();
    } else {
        b();
        a();
    }
}

// One round: the two loads into fresh trees, then the three saves. The bytes are
// checked on the first round, which is not counted.
bool mesurerTour(int tour, std::size_t fichiers, const SFichiers& f, SResultats& r)
{
    auto doc = std::make_unique<CDoc>();
    auto catalogue = std::make_unique<SCataloguePlancher>();
    CResultat<> resultat;
    SMesure chargeNous, chargePlancher;
    auto chargerNous = [&] { chargeNous = mesurerEnProcessus([&] { resultat = chargerCatalogue(*doc, f.source); }); };
    auto chargerLePlancher = [&] {
        chargePlancher = mesurerEnProcessus([&] { chargerPlancher(f.source, *catalogue); });
    };
    alterner(tour, chargerNous, chargerLePlancher);
    if (!resultat) {
        std::fprintf(stderr, "%s\n", resultat.raison().c_str());
        return false;
    }

    // Every save makes a new file (a file truncated and written again would be flushed
    // at its close by ext4) and starts with nothing left to flush from the one before
    // (sync() outside the measure).
    for (const std::string* chemin : {&f.nous, &f.sansSynchro, &f.plancher})
        ::unlink(chemin->c_str());
    bool ecrit = true;
    SMesure synchro, sansSynchro, ecritPlancher;
    auto ecrireNous = [&] {
        ::sync();
        synchro = mesurerEnProcessus([&] { resultat = enregistrerCatalogue(*doc, f.nous); });
        ::sync();
        sansSynchro = mesurerEnProcessus([&] { ecrit = ecrireSansSynchro(*doc, f.sansSynchro); });
    };
    auto ecrireLePlancher = [&] {
        ::sync();
        ecritPlancher = mesurerEnProcessus([&] { ecrirePlancher(*catalogue, f.plancher); });
    };
    alterner(tour, ecrireNous, ecrireLePlancher);
    if (!resultat || !ecrit) {
        std::fprintf(stderr, "%s\n", !resultat ? resultat.raison().c_str() : "écriture sans fsync impossible");
        return false;
    }

    if (tour == 0) {
        const std::string attendu = contenu(f.source);
        const std::size_t lus = compterFichiers(*doc), lusPlancher = compterFichiersPlancher(*catalogue);
        if (lus != fichiers || lusPlancher != fichiers || contenu(f.nous) != attendu ||
            contenu(f.sansSynchro) != attendu || contenu(f.plancher) != attendu) {
            std::fprintf(stderr, "bench_fichier : les fichiers relus ou réécrits diffèrent de la source "
                                 "(%zu / %zu entrées lues)\n", lus, lusPlancher);
            return false;
        }
        std::printf("tour d'échauffement : %zu entrées lues par chacun, les trois fichiers écrits sont "
                    "identiques octet pour octet à la source\n\n", fichiers);
    } else {
        r.chargeNous.ajouter(chargeNous);
        r.chargePlancher.ajouter(chargePlancher);
        r.ecritSynchro.ajouter(synchro);
        r.ecritSansSynchro.ajouter(sansSynchro);
        r.ecritPlancher.ajouter(ecritPlancher);
        r.chargement.ajouter(chargeNous, chargePlancher);
        r.ecriture.ajouter(sansSynchro, ecritPlancher);
        std::printf("tour %d : chargement nous %.3f s, plancher %.3f s ; écriture fsync %.3f s, "
                    "sans fsync %.3f s, plancher %.3f s\n",
                    tour, chargeNous.mur, chargePlancher.mur, synchro.mur, sansSynchro.mur, ecritPlancher.mur);
    }
    // The trees are freed outside the measures, and their memory goes back to the
    // system: every load starts from fresh pages, as when a catalogue is opened.
    doc.reset();
    catalogue.reset();
    ::malloc_trim(0);
    return true;
}

const char* verdict(bool atteint)
{
    return atteint ? "atteint" : "MANQUÉ";
}

void afficherBilan(const SResultats& r, std::size_t fichiers, double octetsNous)
{
    const double n = double(fichiers);
    const SSerie* series[] = {&r.chargeNous, &r.chargePlancher, &r.ecritSynchro, &r.ecritSansSynchro,
                              &r.ecritPlancher};
    std::printf("\ntemps réel, %zu tours :\n", r.chargeNous.mur.size());
    for (const SSerie* s : series)
        afficherLigne(s->libelle, s->mur, n);
    std::printf("\ntemps CPU (utilisateur + système) :\n");
    for (const SSerie* s : series)
        afficherLigne(s->libelle, s->cpu, n);

    const double rChargement = mediane(r.chargement.mur), rEcriture = mediane(r.ecriture.mur);
    std::printf("\nmédiane des ratios par tour, nous/plancher : chargement %.2f (CPU %.2f), "
                "écriture sans fsync %.2f (CPU %.2f)\n",
                rChargement, mediane(r.chargement.cpu), rEcriture, mediane(r.ecriture.cpu));

    const double nsChargement = r.chargeNous.nsMedian(n), nsSansSynchro = r.ecritSansSynchro.nsMedian(n);
    const double nsSynchro = r.ecritSynchro.nsMedian(n);
    std::printf("\nobjectifs (temps réel) :\n");
    std::printf("  chargement <= %.0f x plancher : %.2f %s ; <= %.0f ns/fichier : %.0f %s\n", kObjectifRatio,
                rChargement, verdict(rChargement <= kObjectifRatio), kObjectifNs, nsChargement,
                verdict(nsChargement <= kObjectifNs));
    std::printf("  écriture sans fsync <= %.0f x plancher : %.2f %s ; <= %.0f ns/fichier : %.0f %s\n",
                kObjectifRatio, rEcriture, verdict(rEcriture <= kObjectifRatio), kObjectifNs, nsSansSynchro,
                verdict(nsSansSynchro <= kObjectifNs));
    std::printf("  enregistrerCatalogue, fsync compris, <= %.0f ns/fichier : %.0f %s\n", kObjectifNs, nsSynchro,
                verdict(nsSynchro <= kObjectifNs));
    std::printf("  mémoire <= %.0f octets par fichier : %.1f %s\n", kObjectifOctets, octetsNous,
                verdict(octetsNous > 0 && octetsNous <= kObjectifOctets));
}

int mesurer(std::size_t fichiers, int tours)
{
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    const SFichiers f;
    ::mkdir(f.dossier.c_str(), 0755);

    std::printf("Construction de %zu fichiers en mémoire...\n", fichiers);
    {
        CRequeteSynthetique synthese(fichiers, 20261207);
        std::printf("longueur moyenne des chemins : %.1f octets\n", synthese.longueurMoyenneChemins());
        if (auto enregistre = enregistrerCatalogue(*synthese.requete().document(), f.source); !enregistre) {
            std::fprintf(stderr, "%s\n", enregistre.raison().c_str());
            return 1;
        }
    }
    struct stat st {};
    ::stat(f.source.c_str(), &st);
    std::printf("%s : %.1f Mo, %.1f octets par fichier\n\n", f.source.c_str(), double(st.st_size) / 1e6,
                double(st.st_size) / double(fichiers));

    SResultats r;
    for (int t = 0; t <= tours; ++t)
        if (!mesurerTour(t, fichiers, f, r))
            return 1;

    std::printf("\nmémoire, un processus neuf par mesure (VmHWM après le chargement - VmHWM au départ) :\n");
    const double octetsNous = octetsParEntreeEnfant({"--memoire", "nous", f.source}, "nous");
    const double octetsPlancher = octetsParEntreeEnfant({"--memoire", "plancher", f.source}, "plancher");
    std::printf("nous : %.1f octets par fichier ; plancher : %.1f octets par fichier\n", octetsNous, octetsPlancher);

    afficherBilan(r, fichiers, octetsNous);
    for (const std::string* chemin : {&f.source, &f.nous, &f.sansSynchro, &f.plancher})
        ::unlink(chemin->c_str());
    ::rmdir(f.dossier.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::strcmp(argv[1], "--memoire") == 0)
            return enfantMemoire(argv[2], argv[3]);
        const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
        const int tours = argc > 2 ? std::atoi(argv[2]) : 5;
        if (fichiers == 0 || tours <= 0) {
            std::fprintf(stderr, "usage : bench_fichier [fichiers > 0] [tours > 0]\n");
            return 2;
        }
        return mesurer(fichiers, tours);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_fichier : %s\n", e.what());
        return 1;
    }
}
