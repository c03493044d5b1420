#include "storage/EnregistrementVerifie.h"

#include "model/CDoc.h"
#include "model/CUtilisateur.h"
#include "platform/IdentiteFichier.h"
#include "platform/TexteAffichable.h"
#include "storage/EcritureSure.h"
#include "storage/FichierCatalogue.h"
#include "storage/VerrouCatalogue.h"

namespace {

// The file at `chemin` as it is now, when it is the document's own file and differs
// from what the document last read or wrote.
std::optional<SIdentiteFichier> changementEtranger(const CDoc& doc, const std::string& chemin, int fd)
{
    const auto actuel = identiteDescripteur(fd);
    if (!actuel || !doc.identiteSurDisque)
        return std::nullopt;
    const bool sien = chemin == doc.chemin || actuel->memeFichier(*doc.identiteSurDisque);
    if (!sien || *actuel == *doc.identiteSurDisque)
        return std::nullopt;
    return actuel;
}

} // namespace

std::string questionFichierModifie(const std::string& chemin)
{
    return "Le catalogue " + entreGuillemets(chemin) +
           " a été modifié par un autre programme depuis son ouverture. Voulez-vous le remplacer ?";
}

SEnregistrement enregistrerApresVerification(CDoc& doc, const std::string& chemin, CUtilisateur& utilisateur,
                                             const SAjoutsEnregistrement& ajouts)
{
    CVerrouCatalogue verrou;
    std::optional<SIdentiteFichier> accepte;  // the changed file the user chose to replace
    for (;;) {
        if (auto pris = verrou.prendre(chemin); !pris && !verrou.absent())
            return {EIssueEnregistrement::Echec,
                    texteEchecEcriture("Impossible d'enregistrer le catalogue " + entreGuillemets(chemin),
                                       SEchecEcriture{pris.raison(), false, true})};
        if (!verrou.tenu())
            break;  // no file there yet
        const auto change = changementEtranger(doc, chemin, verrou.descripteur());
        if (!change || change == accepte)
            break;
        // Not asked under the lock: the user may take his time, and other programs
        // waiting for the catalogue would give up meanwhile.
        verrou.rendre();
        if (utilisateur.message(questionFichierModifie(chemin), EBoutons::OuiNon, EIcone::Exclamation) !=
            EReponse::Oui)
            return {EIssueEnregistrement::Annule, {}};
        accepte = change;
    }
    if (ajouts.auDebut)
        ajouts.auDebut();
    if (auto enregistre = enregistrerCatalogue(doc, chemin, SAppelsEcriture::systeme(), ajouts.debutsFichiers);
        !enregistre)
        return {EIssueEnregistrement::Echec, enregistre.raison()};
    return {EIssueEnregistrement::Enregistre, {}};
}
