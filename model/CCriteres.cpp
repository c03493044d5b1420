#include "model/CCriteres.h"

CCriteres CCriteres::pourRecherche()
{
    CCriteres c;
    c.portee = kPorteeTousClasseurs;
    c.cree = CPlageDates::parDefaut();
    c.modifie = c.cree;
    c.accede = c.cree;
    c.rechercherSousDossiers = 1;
    c.rechercherDossiersCaches = 1;
    return c;
}

CCriteres CCriteres::pourCapture()
{
    CCriteres c = pourRecherche();
    c.portee = kPorteeFiltreCapture;
    // Never read before the advanced dialog sets them.
    c.rechercherSousDossiers = 0;
    c.rechercherDossiersCaches = 0;
    return c;
}

void CCriteres::accepter()
{
    // 1024 to the power of the unit, cut to 32 bits as the stored word is. A unit
    // outside 0..3 (a damaged file) would give 0 or a wrapped value: keep 1 then, so
    // the size test never divides by zero.
    if (uniteTaille >= 0 && uniteTaille <= 3)
        diviseurTaille = 1u << (10 * uniteTaille);
    else
        diviseurTaille = 1;
}
