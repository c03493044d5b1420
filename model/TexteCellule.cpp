#include "model/TexteCellule.h"

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"

std::string texteCellule(CElement& ligne, EChamp champ)
{
    if (CFichier* f = ligne.commeFichier()) {
        switch (champ) {
        case EChamp::Nom: return std::string(f->nom());
        case EChamp::Taille: return plateforme().texteTaille(f->taille);
        case EChamp::Cree: return f->cree.texte();
        case EChamp::Modifie: return f->modifie.texte();
        case EChamp::Accede: return f->accede.texte();
        case EChamp::Attribut: return f->lettres;
        case EChamp::Dossier: return f->parent() ? f->parent()->chemin() : std::string();
        case EChamp::NomRequete:
        case EChamp::DossierRequete: return {};
        }
        return {};
    }
    CRequete* q = ligne.requete();
    if (!q)
        return {};
    switch (champ) {
    case EChamp::NomRequete: return q->nom();
    case EChamp::DossierRequete: return q->chemin();
    case EChamp::Nom:
    case EChamp::Taille:
    case EChamp::Cree:
    case EChamp::Modifie:
    case EChamp::Accede:
    case EChamp::Attribut:
    case EChamp::Dossier: return {};
    }
    return {};
}
