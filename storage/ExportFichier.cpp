#include "storage/ExportFichier.h"

#include "platform/TexteAffichable.h"
#include "storage/CSortie.h"
#include "storage/EcritureSure.h"
#include "storage/ResolutionLiens.h"
#include "storage/SignatureCatalogue.h"

std::optional<std::string> exporterTableau(const STableauExporte& tableau, EFormatExport format,
                                           const std::string& chemin)
{
    const std::string debut = "Impossible d'exporter la liste dans " + entreGuillemets(chemin);
    std::string cible;
    if (auto resolu = resoudreCheminEcrit(chemin, cible); !resolu)
        return debut + " : " + resolu.raison() + ".";
    if (estUnCatalogue(cible))
        return debut + " : c'est un catalogue ; choisissez un autre nom.";
    const auto echec = ecrireFichierSur(chemin, [&](CSortie& sortie) {
        ecrireTableau(tableau, format, [&](std::string_view morceau) { sortie.ecrire(morceau.data(), morceau.size()); });
    });
    if (echec)
        return texteEchecEcriture(debut, *echec);
    return std::nullopt;
}
