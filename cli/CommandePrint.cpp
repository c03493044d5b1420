// print: the catalogue's pages, as the program prints them, in an A4 PDF.

#include "cli/Arguments.h"
#include "cli/Commandes.h"
#include "cli/Session.h"
#include "impression/ImpressionPdf.h"

int commandePrint(const Mots& mots)
{
    CArguments args(mots, {{"pdf", true}});
    args.exigerOperandes(1, 1);
    const auto pdf = args.valeur("pdf");
    if (!pdf)
        throw SErreurUsage("il faut --pdf SORTIE.pdf");
    CSession s;
    if (auto erreur = imprimerEnPdf(s.ouvrir(args.operandes()[0]), *pdf))
        throw SErreurDonnees(*erreur);
    return 0;
}
