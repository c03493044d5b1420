#include "cli/SortieStandard.h"

#include <cerrno>
#include <iostream>

#include "cli/Arguments.h"
#include "model/EcritureSure.h"

void verifierSortie()
{
    if (std::cout)
        return;
    // std::cout writes through stdio: errno is still the failed write's.
    const int erreur = errno;
    std::string raison = erreur == EPIPE ? "le programme qui la lisait l'a fermée"
                         : erreur == 0    ? "erreur d'écriture"
                                          : raisonSysteme(erreur);
    throw SErreurDonnees("impossible d'écrire la sortie : " + raison);
}

void terminerSortie()
{
    std::cout.flush();
    verifierSortie();
}
