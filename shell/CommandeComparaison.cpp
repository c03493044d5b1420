#include "shell/CommandeComparaison.h"

#include "compare/ui/AssistantComparaison.h"
#include "model/CContexte.h"
#include "model/CRequete.h"
#include "shell/CApp.h"
#include "shell/CArboView.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CExecuteurTravauxQt.h"
#include "ui/CImagesApplication.h"
#include "workspace/TravailComparaison.h"

void comparerDepuis(CApp& app, CRequete* premiere)
{
    CChildFrame* cadre = app.cadre().cadreActif();
    if (!cadre)
        return;
    const auto choix = choisirComparaison(cadre->document(), premiere, app.images().arbre(), &app.cadre());
    if (!choix)
        return;

    // Two queries of a million files each take a moment: the comparison runs as a
    // job, both documents held meanwhile. Its names are those of the moment it starts.
    const QString nomPremiere = QString::fromStdString(choix->premiere->nom());
    const QString nomSeconde = QString::fromStdString(choix->seconde->nom());
    app.travaux().lancer(std::make_shared<CTravailComparaison>(
        *choix->premiere, *choix->seconde, choix->options, [&app] { return app.contexte().resultatsComparaison; },
        [&app, nomPremiere, nomSeconde](const SDecompteComparaison& decompte) {
            app.cadre().barreEtat().annoncerComparaison(decompte, nomPremiere, nomSeconde);
            app.afficherResultatsComparaison();
        }));
}
