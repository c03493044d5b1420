// norvanel-cli-pdf: what "norvanel-cli print" runs to draw a catalogue's pages into an
// A4 PDF with Qt's graphics library, which norvanel-cli itself does not load.
// Usage (by norvanel-cli): norvanel-cli-pdf CATALOGUE SORTIE.pdf

#include <csignal>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/Execution.h"
#include "cli/Session.h"
#include "impression/ImpressionPdf.h"
#include "platform/linux/CPlateformeLinux.h"

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    if (argc != 3) {
        std::cerr << "norvanel-cli-pdf : ce programme est lancé par « norvanel-cli print CATALOGUE --pdf SORTIE.pdf »\n";
        return 1;
    }
    return executerCommande(
        "print",
        [&] {
            CSession s;
            if (auto erreur = imprimerEnPdf(s.ouvrir(argv[1]), argv[2]))
                throw SErreurDonnees(*erreur);
            return 0;
        },
        [] {});
}
