// The window program (offscreen) opening a catalogue file as the user does: the time
// from the request to the document's window shown and painted, and the peak resident
// memory of the process before and after (VmHWM).
// Usage: bench_ouverture CATALOGUE.kbt

#include <cstdio>
#include <string>

#include <QApplication>

#include "bench/Mesure.h"
#include "bench/MesureMemoire.h"
#include "bench/ProgrammeHorsEcran.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "model/Totaux.h"
#include "shell/CChildFrame.h"
#include "shell/CGestionnaireDocuments.h"

namespace {

constexpr double kObjectifSecondes = 5.0;
constexpr double kObjectifOctets = 1.2e9;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage : bench_ouverture CATALOGUE.kbt\n");
        return 2;
    }
    int argcQt = 1;
    SProgrammeHorsEcran programme(argcQt, argv);
    QApplication::processEvents();
    const long long avant = pointeMemoire();
    std::string echec;
    CChildFrame* cadre = nullptr;
    const double secondes = chronometrer([&] {
        cadre = programme.app.documents().ouvrir(QString::fromLocal8Bit(argv[1]), &echec);
        QApplication::processEvents();
    });
    if (!cadre) {
        std::fprintf(stderr, "échec : %s\n", echec.c_str());
        return 1;
    }
    const long long apres = pointeMemoire();
    STotaux totaux;
    for (const CClasseur* c : cadre->document().classeurs())
        for (const CRequete* q : c->requetes())
            compter(*q, totaux);
    std::printf("%s : %u fichiers, %u dossiers\n", argv[1], totaux.fichiers, totaux.dossiers);
    std::printf("ouverture dans le programme à fenêtres : %.2f s ; VmHWM %.0f Mo avant, %.0f Mo après\n", secondes,
                double(avant) / 1e6, double(apres) / 1e6);
    std::printf("  objectif < %.0f s : %s ; < %.1f Go : %s\n", kObjectifSecondes,
                secondes < kObjectifSecondes ? "atteint" : "MANQUÉ", kObjectifOctets / 1e9,
                double(apres) < kObjectifOctets ? "atteint" : "MANQUÉ");
    cadre->document().definirModifie(false);
    return 0;
}
