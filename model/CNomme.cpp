#include "model/CNomme.h"

CResultat<> CNomme::verifierNouveauNom(const std::string&) const
{
    return echec("Ce nom ne peut pas être changé.");
}
