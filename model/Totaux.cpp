#include "model/Totaux.h"

#include "model/CClasseur.h"
#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

void compter(const CDossier& dossier, STotaux& totaux)
{
    totaux.dossiers += static_cast<std::uint32_t>(dossier.sousDossiers().nombre());
    totaux.fichiers += static_cast<std::uint32_t>(dossier.fichiers().nombre());
    const CRequete* q = dossier.requete();
    if (q && q->stockerTaille)
        for (const CFichier* f : dossier.fichiers())
            totaux.taille += f->taille;
    for (const CDossier* d : dossier.sousDossiers())
        compter(*d, totaux);
}

SProprietes proprietesDossier(const CDossier& dossier)
{
    SProprietes p;
    STotaux t;
    compter(dossier, t);
    p.dossiers = t.dossiers;
    p.fichiers = t.fichiers;
    p.tailleTotale = t.taille;
    if (const CRequete* q = dossier.requete()) {
        p.avecVolume = true;
        p.nomVolume = q->nomVolume;
        p.numeroSerie = q->numeroSerie;
    }
    return p;
}

void ajouterProprietes(const CClasseur& classeur, SProprietes& p)
{
    STotaux t{p.dossiers, p.fichiers, p.tailleTotale};
    for (const CRequete* q : classeur.requetes())
        compter(*q, t);
    p.dossiers = t.dossiers;
    p.fichiers = t.fichiers;
    p.tailleTotale = t.taille;
}

std::optional<SProprietes> proprietesDe(CElement& noeud)
{
    if (CDossier* d = noeud.commeDossier()) {
        SProprietes p = proprietesDossier(*d);
        p.titre = d->titreProprietes();
        return p;
    }
    if (noeud.codeType() != kTypeClasseur)
        return std::nullopt;
    const CClasseur& c = *noeud.classeur();
    SProprietes p;
    ajouterProprietes(c, p);
    p.titre = "Propriétés du classeur '" + c.nom() + "'";
    return p;
}
