// Dragging queries in the tree: dropped on any item, a query moves to that item's
// binder; with Ctrl held at the drop, a full copy goes there instead. Only queries
// are dragged, and only within their own document's tree.

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "ui/CTravailLong.h"
#include "shell/CArboView.h"

void CArboView::startDrag(Qt::DropActions actions)
{
    (void)actions;
    const SItem* item = modele_->item(currentIndex());
    if (!item || item->type != kTypeRequete)
        return;
    requeteGlissee_ = item->noeud->requete();
    auto* donnees = new QMimeData;
    // The query itself travels in requeteGlissee_; the data only names the kind (an
    // empty value would not register the type).
    donnees->setData(CModeleArbre::typeMimeRequete(), QByteArrayLiteral("1"));
    QDrag glisser(this);
    glisser.setMimeData(donnees);
    glisser.setPixmap(modele_->data(currentIndex(), Qt::DecorationRole).value<QIcon>().pixmap(16, 16));
    glisser.exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    // The drop did the work; the drag ends here in every case.
    requeteGlissee_ = nullptr;
    modele_->definirCibleDepot(nullptr);
}

bool CArboView::accepteGlisser(const QDropEvent* evenement) const
{
    // A query of this tree's document: each document has its one tree. Nothing moves
    // while a capture job works on the document.
    return requeteGlissee_ && requeteGlissee_->document() == &doc_ && !CTravailLong::occupe(&doc_) &&
           evenement->mimeData() &&
           evenement->mimeData()->hasFormat(CModeleArbre::typeMimeRequete());
}

void CArboView::dragEnterEvent(QDragEnterEvent* evenement)
{
    // Anything else (files dropped from the desktop) goes on to the main window.
    if (!accepteGlisser(evenement)) {
        evenement->ignore();
        return;
    }
    QTreeView::dragEnterEvent(evenement);
    evenement->accept();
}

void CArboView::dragMoveEvent(QDragMoveEvent* evenement)
{
    if (!accepteGlisser(evenement)) {
        evenement->ignore();
        return;
    }
    // Scrolling near the edges and opening a branch the pointer rests on.
    QTreeView::dragMoveEvent(evenement);
    // The drop target shown is the binder of the item under the pointer; over no item
    // it stays as it was.
    if (SItem* sous = modele_->item(indexAt(evenement->position().toPoint())))
        modele_->definirCibleDepot(CModeleArbre::itemNiveauRacine(sous));
    evenement->setDropAction(evenement->modifiers() & Qt::ControlModifier ? Qt::CopyAction
                                                                          : Qt::MoveAction);
    evenement->accept();
}

void CArboView::dragLeaveEvent(QDragLeaveEvent* evenement)
{
    QTreeView::dragLeaveEvent(evenement);
    modele_->definirCibleDepot(nullptr);
}

void CArboView::dropEvent(QDropEvent* evenement)
{
    if (!accepteGlisser(evenement)) {
        evenement->ignore();
        return;
    }
    const bool copie = evenement->modifiers() & Qt::ControlModifier;
    SItem* sous = modele_->item(indexAt(evenement->position().toPoint()));
    modele_->definirCibleDepot(nullptr);
    stopAutoScroll();
    setState(NoState);
    evenement->setDropAction(copie ? Qt::CopyAction : Qt::MoveAction);
    evenement->accept();
    if (sous)
        deposer(sous->noeud, copie);
    viewport()->update();
}

void CArboView::deposer(const CElement* cible, bool copie)
{
    CRequete* q = requeteGlissee_;
    SItem* itemClasseur = CModeleArbre::itemNiveauRacine(itemDe(cible));
    if (!q || !itemClasseur || q->document() != &doc_)
        return;
    CClasseur& destination = *itemClasseur->noeud->classeur();
    if (copie)
        q = doc_.copierRequete(*q, destination);
    else if (!doc_.deplacerRequete(*q, destination))
        return;
    selectionner(static_cast<CDossier*>(q));
    emit etatCommandesChange();
}
