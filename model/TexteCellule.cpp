#include "model/TexteCellule.h"

#include <algorithm>

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"

std::string texteCellule(CElement& ligne, EChamp champ)
{
    if (CFichier* f = ligne.commeFichier()) {
        switch (champ) {
        // An entry filed where its path does not lead shows that path whole.
        case EChamp::Nom: return std::string(f->estALaPlaceAnnoncee() ? f->nom() : std::string_view(f->chemin()));
        case EChamp::Taille: return plateforme().texteTaille(f->taille);
        case EChamp::Cree: return f->cree().texte();
        case EChamp::Modifie: return f->modifie().texte();
        case EChamp::Accede: return f->accede().texte();
        case EChamp::Attribut: return f->lettres;
        case EChamp::Dossier: return std::string(f->dossierReel());
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

std::string texteExemple(EChamp champ)
{
    CDateHeure tard;
    tard.date = {28, 12, 2088};
    tard.heure = 23;
    tard.minute = 58;
    switch (champ) {
    case EChamp::Taille: {
        std::string large;
        for (std::uint32_t t : {1023u, 1023u << 10, 1023u << 20, 0xFFFFFFFFu})
            if (const std::string s = plateforme().texteTaille(t); s.size() > large.size())
                large = s;
        return large;
    }
    case EChamp::Cree:
    case EChamp::Modifie: return tard.texte();
    case EChamp::Accede: return tard.date.texte();
    case EChamp::Attribut: return "RHSA";
    case EChamp::Nom:
    case EChamp::Dossier:
    case EChamp::NomRequete:
    case EChamp::DossierRequete: return {};
    }
    return {};
}
