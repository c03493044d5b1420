#include "model/CNomme.h"

#include "model/TableChaines.h"
#include "platform/CPlateforme.h"

bool CNomme::refuserNom(int id)
{
    plateforme().message(chaine(id), EBoutons::Ok, EIcone::Erreur);
    return false;
}
