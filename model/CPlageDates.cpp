#include "model/CPlageDates.h"

CPlageDates CPlageDates::parDefaut()
{
    const CDate ceJour = aujourdhui();
    return CPlageDates{false, ceJour, ceJour};
}

bool CPlageDates::contient(const CDate& date) const { return du <= date && date <= au; }

void CPlageDates::ecrireImage(unsigned char* image) const
{
    image[0] = actif ? 1 : 0;
    image[1] = image[2] = image[3] = 0;
    du.ecrireImage(image + 4);
    au.ecrireImage(image + 16);
}

CPlageDates CPlageDates::lireImage(const unsigned char* image)
{
    return CPlageDates{image[0] != 0, CDate::lireImage(image + 4), CDate::lireImage(image + 16)};
}
