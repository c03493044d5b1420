#include "shell/CHoteResultatsQt.h"

#include <QItemSelectionModel>

#include "model/CDoc.h"
#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "shell/CModeleListe.h"
#include "workspace/Ouverture.h"

void CHoteResultatsQt::localiser(CFichier& fichier)
{
    CDossier* dossier = fichier.parent();
    CDoc* doc = dossier ? dossier->document() : nullptr;
    CChildFrame* cadre = nullptr;
    for (CChildFrame* c : cadre_.cadres())
        if (&c->document() == doc)
            cadre = c;
    if (!cadre)
        return;
    cadre_.show();
    cadre_.raise();
    cadre_.activateWindow();
    // Locating keeps the user's arrangement of the document windows.
    cadre->afficherAuPremierPlan();

    // The folder's item; while the tree shows no folder, the query's, whose list
    // holds every file beneath it (otherwise the file could not be shown at all).
    CArboView& arbre = cadre->arbre();
    const CElement* element = dossier;
    if (!arbre.itemDuNoeud(element) && !doc->afficherSousDossiers)
        element = static_cast<CDossier*>(dossier->requete());
    arbre.selectionner(element);

    // The list pane lists the selection now; the file may be hidden there by the
    // search filter, and then no row is selected.
    CListeView& liste = cadre->liste();
    const auto& lignes = liste.modele().lignes();
    const CElement* cherche = &fichier;
    for (std::size_t r = 0; r < lignes.size(); ++r) {
        if (lignes[r] != cherche)
            continue;
        const QModelIndex i = liste.modele().index(static_cast<int>(r), 0);
        cadre->definirPanneauActif(&liste);
        liste.setFocus(Qt::OtherFocusReason);
        liste.selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        liste.scrollTo(i);
        return;
    }
    liste.selectionModel()->clearSelection();
}

void CHoteResultatsQt::ouvrir(CFichier& fichier, bool dossierContenant)
{
    if (dossierContenant)
        ouvrirDossierContenant(utilisateur_, fichier);
    else
        ::ouvrir(utilisateur_, fichier);
}

void CHoteResultatsQt::exporter(const STableauExporte& tableau)
{
    exporterListe(&cadre_, utilisateur_, tableau, dialogueExport);
}
