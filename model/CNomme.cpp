#include "model/CNomme.h"

#include "model/CUtilisateur.h"
#include "model/TableChaines.h"

bool CNomme::refuserNom(int id)
{
    utilisateur().message(chaine(id), EBoutons::Ok, EIcone::Erreur);
    return false;
}
