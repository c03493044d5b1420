#include "shell/CommandeComparaison.h"

#include "compare/ui/AssistantComparaison.h"
#include "model/CRequete.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CExecuteurTravauxQt.h"
#include "shell/ServicesFenetres.h"
#include "ui/CImagesApplication.h"
#include "workspace/CContexte.h"
#include "workspace/TravailComparaison.h"

void comparerDepuis(const SServicesFenetres& services, CMainFrame& principal, CRequete* premiere)
{
    CChildFrame* cadre = principal.cadreActif();
    if (!cadre)
        return;
    const auto choix = choisirComparaison(cadre->document(), premiere, services.images.arbre(), &principal);
    if (!choix)
        return;

    // Two queries of a million files each take a moment: the comparison runs as a
    // job, both documents held meanwhile. Its names are those of the moment it starts.
    const QString nomPremiere = QString::fromStdString(choix->premiere->nom());
    const QString nomSeconde = QString::fromStdString(choix->seconde->nom());
    services.executeur().lancer(std::make_shared<CTravailComparaison>(
        *choix->premiere, *choix->seconde, choix->options,
        [&services] { return services.contexte.resultatsComparaison; },
        [&services, &principal, nomPremiere, nomSeconde](const SDecompteComparaison& decompte) {
            principal.barreEtat().annoncerComparaison(decompte, nomPremiere, nomSeconde);
            services.montrerResultatsComparaison();
        }));
}
