#include "model/ValeursBrutes.h"

#include <cstdio>

#include "model/CDateHeure.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

std::string dateBrute(const CDate& d)
{
    char t[48];
    std::snprintf(t, sizeof t, "%04u-%02u-%02u", d.annee, d.mois, d.jour);
    return t;
}

std::string dateHeureBrute(const CDateHeure& d)
{
    char t[96];
    std::snprintf(t, sizeof t, "%s %02u:%02u:%02u", dateBrute(d.date).c_str(), d.heure, d.minute, d.seconde);
    return t;
}

std::vector<std::string> cellulesBrutes(const CFichier& f)
{
    const CRequete* q = f.requete();
    auto si = [](bool stocke, std::string valeur) { return stocke ? valeur : std::string(); };
    return {std::string(f.nom()),
            si(q && q->stockerTaille, std::to_string(f.taille)),
            si(q && q->stockerCree, dateHeureBrute(f.cree())),
            si(q && q->stockerModifie, dateHeureBrute(f.modifie())),
            si(q && q->stockerAccede, dateBrute(f.accede())),
            si(q && q->stockerAttributs, f.lettres),
            std::string(f.dossierReel())};
}
