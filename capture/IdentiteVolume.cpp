#include "capture/IdentiteVolume.h"

#include <cstdio>

#include "model/CRequete.h"

std::string texteNumeroSerie(std::uint32_t numero)
{
    char texte[20];
    std::snprintf(texte, sizeof texte, "%X-%X", numero >> 16, numero & 0xFFFFu);
    return texte;
}

std::string nomVolumeTronque(std::string nom)
{
    if (nom.size() <= kLongueurNomVolume)
        return nom;
    std::size_t fin = kLongueurNomVolume;
    // Step back over continuation bytes (10xxxxxx) to the start of the cut character.
    while (fin > 0 && (static_cast<unsigned char>(nom[fin]) & 0xC0) == 0x80)
        --fin;
    nom.resize(fin);
    return nom;
}
