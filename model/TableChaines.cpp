#include "model/TableChaines.h"

const char* chaine(int id)
{
    switch (id) {
    case kMsgClasseurExiste: return "Un classeur de ce nom existe déjà.";
    case kMsgClasseurSansNom: return "Un classeur doit avoir un nom.";
    case kMsgRequeteExiste: return "Une requête de ce nom existe déjà.";
    case kMsgRequeteSansNom: return "Une requête doit avoir un nom.";
    }
    return "";
}
