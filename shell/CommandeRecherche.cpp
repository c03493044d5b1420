#include "shell/CommandeRecherche.h"


#include "model/CContexte.h"
#include "model/CDoc.h"
#include "search/Recherche.h"
#include "search/ui/CRechercheSheet.h"
#include "search/ui/CResultatsRechercheDlg.h"
#include "shell/CApp.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/CTravailLong.h"

void rechercherDepuis(CApp& app, CChildFrame& cadre)
{
    CContexte& ctx = contexte();
    // The selected item's node; the document root when none is selected. The last
    // search's target plays no part: the sheet works on the selection of the moment.
    CElement* choisi = cadre.arbre().noeudSelectionne();
    CElement& selection = choisi ? *choisi : static_cast<CElement&>(cadre.document());
    {
        CRechercheSheet feuille(ctx.criteresRecherche, selection, &app.cadre());
        if (feuille.exec() != QDialog::Accepted)
            return;
    }

    {
        // Over millions of files the search lasts: the windows keep painting, the
        // busy cursor shows, and no other command runs meanwhile. The status bar is
        // told the count by the search itself.
        CTravailLong travail(app.suivi(), &app.cadre());
        // The window shows this search's answer again, no longer the quick search's.
        ctx.resultatsRapidesAffiches = false;
        app.resultatsRecherche().setWindowTitle(titreResultatsRecherche());
        reappliquerRecherche();
    }
    app.afficherResultatsRecherche();
}
