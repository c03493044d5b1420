#include "cli/SortieStandard.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

#include "cli/Arguments.h"
#include "storage/EcritureSure.h"

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

void annoncerApresEnregistrement(const std::string& ligne)
{
    std::cout << ligne << "\n";
    try {
        terminerSortie();
    } catch (const SErreurDonnees& e) {
        std::cerr << "norvanel-cli : le catalogue est enregistré, mais " << e.what() << "\n";
        // Nothing more reaches the failed output: the end of the command finds it clean.
        if (std::freopen("/dev/null", "w", stdout) == nullptr)
            std::fclose(stdout);
        std::cout.clear();
    }
}
