#include "model/Ouverture.h"

#include "capture/IdentiteVolume.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"

std::string texteDemandeDisque(const CRequete& requete)
{
    return "Insérez le disque '" + requete.nomVolume + "'.\nNuméro de série: " +
           texteNumeroSerie(requete.numeroSerie);
}

void ouvrirAvecDisque(const std::string& chemin, const CRequete& requete)
{
    CPlateforme& p = plateforme();
    const std::string demande = texteDemandeDisque(requete);
    while (!p.ouvrir(chemin)) {
        // Ask until the disk in place is the recorded one, then try again. The right
        // disk with a path that no longer exists brings the question back: only
        // Cancel ends it.
        for (;;) {
            if (p.message(demande, EBoutons::OkAnnuler, EIcone::Exclamation) == EReponse::Annuler)
                return;
            const auto volume = p.infoVolume(p.racine(chemin));
            const std::string nom = volume ? volume->nom : std::string();
            const std::uint32_t serie = volume ? volume->numeroSerie : 0;
            if (nom == requete.nomVolume && serie == requete.numeroSerie)
                break;
        }
    }
}
