#include "shell/CommandeComparaison.h"

#include "compare/Comparaison.h"
#include "compare/ui/AssistantComparaison.h"
#include "model/CContexte.h"
#include "model/CRequete.h"
#include "shell/CApp.h"
#include "shell/CArboView.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/CImagesApplication.h"
#include "ui/CTravailLong.h"

void comparerDepuis(CApp& app, CRequete* premiere)
{
    CChildFrame* cadre = app.cadre().cadreActif();
    if (!cadre)
        return;
    const auto choix = choisirComparaison(cadre->document(), premiere, app.images().arbre(), &app.cadre());
    if (!choix)
        return;

    SDecompteComparaison decompte;
    {
        // Two queries of a million files each take a moment: the busy cursor shows
        // and no other command runs meanwhile.
        CTravailLong travail(app.suivi(), &app.cadre());
        decompte = comparerRequetes(*choix->premiere, *choix->seconde, choix->options,
                                    contexte().resultatsComparaison);
    }
    app.cadre().barreEtat().annoncerComparaison(decompte, QString::fromStdString(choix->premiere->nom()),
                                                QString::fromStdString(choix->seconde->nom()));
    app.afficherResultatsComparaison();
}
