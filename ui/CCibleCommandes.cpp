#include "ui/CCibleCommandes.h"

#include "ui/CTravailLong.h"

void CCibleCommandes::definirCommande(int id, SCommandeCible commande)
{
    commandes_[id] = std::move(commande);
}

bool CCibleCommandes::etatCommande(int id, SEtatCommande& etat) const
{
    const auto it = commandes_.find(id);
    if (it == commandes_.end())
        return false;
    const SCommandeCible& c = it->second;
    // During a long operation the rules are not asked: the nodes they look at may be
    // the ones being replaced.
    if ((CTravailLong::enCours() || CTravailLong::occupe(documentDesCommandes())) && !c.pendantTravailLong) {
        etat = {false, false};
        return true;
    }
    etat.actif = !c.actif || c.actif();
    etat.coche = c.coche && c.coche();
    return true;
}

bool CCibleCommandes::executerCommande(int id)
{
    SEtatCommande etat;
    if (!etatCommande(id, etat))
        return false;
    if (etat.actif)
        commandes_.at(id).agir();
    return true;
}
