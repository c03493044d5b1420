#include "shell/CommandeRecherche.h"


#include "model/CDoc.h"
#include "search/ui/CRechercheSheet.h"
#include "search/ui/CResultatsRechercheDlg.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CExecuteurTravauxQt.h"
#include "shell/ServicesFenetres.h"
#include "workspace/CContexte.h"
#include "workspace/TravailRecherche.h"

void rechercherDepuis(const SServicesFenetres& services, CChildFrame& cadre, QWidget& resultats)
{
    CContexte& ctx = services.contexte;
    // The selected item's node; the document root when none is selected. The last
    // search's target plays no part: the sheet works on the selection of the moment.
    CElement* choisi = cadre.arbre().noeudSelectionne();
    CElement& selection = choisi ? *choisi : static_cast<CElement&>(cadre.document());
    {
        CRechercheSheet feuille(ctx.criteresRecherche, selection, cadre.window());
        if (feuille.exec() != QDialog::Accepted)
            return;
    }

    // The window shows this search's answer again, no longer the quick search's.
    ctx.resultatsRapidesAffiches = false;
    resultats.setWindowTitle(titreResultatsRecherche());
    // Over millions of files the search lasts: it runs as a job, the documents it
    // reads held meanwhile. The status bar is told the count at its end.
    relancerRecherche(services.executeur(), ctx, [&services] { services.montrerResultatsRecherche(); });
}
