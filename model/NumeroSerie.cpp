#include "model/NumeroSerie.h"

#include <cstdio>


std::string texteNumeroSerie(std::uint32_t numero)
{
    char texte[20];
    std::snprintf(texte, sizeof texte, "%X-%X", numero >> 16, numero & 0xFFFFu);
    return texte;
}
