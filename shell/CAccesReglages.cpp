#include "shell/CAccesReglages.h"

#include <string>

#include "model/CUtilisateur.h"
#include "storage/CReglages.h"
#include "ui/CheminsQt.h"

void CAccesReglages::signaler(const CResultat<>& resultat)
{
    if (resultat || signale_)
        return;
    signale_ = true;
    utilisateur_.message(resultat.raison(), EBoutons::Ok, EIcone::Exclamation);
}

QStringList CAccesReglages::fichiersRecents()
{
    CReglages r;
    signaler(r.charger());
    QStringList fichiers;
    for (const std::string& f : r.fichiersRecents())
        fichiers.append(cheminQt(f));
    return fichiers;
}

void CAccesReglages::enregistrerFichiersRecents(const QStringList& fichiers)
{
    CReglages r;
    signaler(r.charger());
    // The list becomes `fichiers`: the others leave, then each goes first from the
    // oldest to the most recent.
    const std::vector<std::string> avant = r.fichiersRecents();
    for (const std::string& f : avant)
        if (!fichiers.contains(cheminQt(f)))
            r.retirerRecent(f);
    for (qsizetype i = fichiers.size(); i-- > 0;)
        r.ajouterRecent(cheminCatalogue(fichiers.at(i)));
    signaler(r.enregistrer());
}

int CAccesReglages::pagesApercu()
{
    CReglages r;
    signaler(r.charger());
    return r.pagesApercu();
}
