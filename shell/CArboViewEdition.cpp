// The name typed in the tree's label editor: only binders and queries may be renamed;
// a name the node refuses is reported by the node itself (a message box) and editing
// starts again on the same item.

#include <QLineEdit>
#include <QTimer>

#include "model/CDoc.h"
#include "model/CNomme.h"
#include "model/CUtilisateur.h"
#include "shell/CArboView.h"
#include "shell/ServicesFenetres.h"
#include "ui/CTravailLong.h"

void CArboView::commitData(QWidget* editeur)
{
    // The name is checked once the editor has closed: a message box shown while it is
    // still open would take its focus and commit it a second time.
    const auto* ligne = qobject_cast<QLineEdit*>(editeur);
    SItem* item = modele_->item(indexEdite_);
    if (!ligne || !item)
        return;
    itemRenomme_ = item;
    texteRenomme_ = ligne->text();
    renommageEnAttente_ = true;
}

void CArboView::appliquerRenommage()
{
    // The editor may close as a capture's window takes the focus, and the capture keeps
    // the windows painted: the name is applied once it is over, no command meanwhile.
    if (CTravailLong::enCours() || CTravailLong::occupe(&doc_)) {
        QTimer::singleShot(CTravailLong::kAttente, this, &CArboView::appliquerRenommage);
        return;
    }
    renommageEnAttente_ = false;
    const SItem* cible = itemRenomme_;
    itemRenomme_ = nullptr;
    if (!modele_->existe(cible))
        return;
    SItem* item = const_cast<SItem*>(cible);
    // The label unchanged: accepted, nothing changes (even when the label shows a name
    // whose bytes are not valid UTF-8 a little differently).
    if (texteRenomme_ == item->libelle)
        return;
    CAffichable* affichable = item->noeud->commeAffichable();
    CNomme* nomme = affichable ? affichable->commeNomme() : nullptr;
    if (!nomme)
        return;
    if (const CResultat<> renomme = doc_.renommer(*nomme, texteRenomme_.toStdString()); !renomme) {
        services_.utilisateur.message(renomme.raison(), EBoutons::Ok, EIcone::Erreur);
        edit(modele_->indexDe(item));
        return;
    }
    // The document's notice has moved the item to its new place.
    scrollTo(modele_->indexDe(item));
    // The list shows names too (a binder lists its queries): it lists the selection again.
    publierSelection();
    emit etatCommandesChange();
}
