#include "bench/EmpreinteRequete.h"

#include <cstdio>

#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

void ajouterDate(std::string& texte, const CDate& d)
{
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, " %04u-%02u-%02u", d.annee, d.mois, d.jour);
    texte += tampon;
}

void ajouterDateHeure(std::string& texte, const CDateHeure& d)
{
    ajouterDate(texte, d.date);
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "T%02u:%02u:%02u", d.heure, d.minute, d.seconde);
    texte += tampon;
}

void decrire(const CDossier& dossier, std::size_t longueurRacine, bool avecCreation, std::string& texte)
{
    for (const CFichier* f : dossier.fichiers()) {
        texte += "f ";
        texte.append(f->chemin(), longueurRacine);
        texte += ' ' + std::to_string(f->taille) + ' ' + f->lettres;
        ajouterDateHeure(texte, f->modifie());
        ajouterDate(texte, f->accede());
        if (avecCreation)
            ajouterDateHeure(texte, f->cree());
        texte += '\n';
    }
    for (const CDossier* s : dossier.sousDossiers()) {
        texte += s->estCache() ? "d+ " : "d ";
        texte.append(s->chemin(), longueurRacine);
        texte += '\n';
        decrire(*s, longueurRacine, avecCreation, texte);
    }
}

} // namespace

std::string empreinteRequete(const CRequete& requete, bool avecCreation)
{
    std::string texte;
    decrire(requete, requete.chemin().size(), avecCreation, texte);
    return texte;
}
