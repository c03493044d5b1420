#include "bench/CopieModifiee.h"

#include <string>

#include "bench/Alea.h"
#include "model/CDossier.h"
#include "model/CFichier.h"

void modifierCopie(CDossier& d, CAlea& alea)
{
    auto& fichiers = d.fichiers();
    if (!fichiers.estVide() && alea.chance(10)) {
        CFichier* renomme = fichiers.elementA(std::int32_t(alea.jusqua(std::uint64_t(fichiers.nombre()))));
        renomme->definirChemin(d.chemin() + "/renommé " + std::to_string(alea.suivant() % 100000) + ".txt");
        fichiers.elementA(std::int32_t(alea.jusqua(std::uint64_t(fichiers.nombre()))))->taille += 1;
        CFichier* retire = fichiers.elementA(std::int32_t(alea.jusqua(std::uint64_t(fichiers.nombre()))));
        fichiers.retirerElement(retire);
        delete retire;
        auto* nouveau = CFichier::creer(d.arene(), &d, d.chemin() + "/nouveau " + std::to_string(alea.suivant() % 100000) + ".doc");
        nouveau->taille = std::uint32_t(alea.suivant());
        fichiers.ajouter(nouveau);
    }
    for (CDossier* s : d.sousDossiers())
        modifierCopie(*s, alea);
}
