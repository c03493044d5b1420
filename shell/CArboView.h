#pragma once
// The left pane of a document window: the tree of binders, queries and (with
// "&Sous-dossiers") folders. It is the tree control the catalogue nodes fill, a view
// of the document that rebuilds itself when told, and the command target of the node
// commands (delete, properties, rename, update, update all, modify query, compare)
// while it is the active pane.
//
// Renaming from the label editor, drag and drop of queries and the painting of the
// connecting lines live in CArboViewEdition.cpp, CArboViewGlisser.cpp and
// CArboViewBranches.cpp.

#include <QPersistentModelIndex>
#include <QSet>
#include <QTreeView>

#include "model/ArbreDocument.h"
#include "model/CObservateurDocument.h"
#include "shell/CModeleArbre.h"
#include "ui/CCibleCommandes.h"

class CDoc;
class CRequete;
struct SServicesFenetres;

class CArboView : public QTreeView, public CObservateurDocument, public CCibleCommandes {
    Q_OBJECT
public:
    CArboView(const SServicesFenetres& services, CDoc& doc, QWidget* parent = nullptr);
    ~CArboView() override;

    // --- The document's notices -----------------------------------------------------
    void documentChange(const SChangement& changement) override;

    // Deletes every item and inserts the document's binders, queries and folders again,
    // keeping the selected node (a folder's query when the folder is gone); then the
    // list pane lists the selection.
    void reconstruire();
    // Tells the other views of the document the selected node again, as after a
    // selection change (the search filter changed).
    void publierSelection();
    CElement* noeudSelectionne() const;
    // Selects the item of `noeud` (expanding the branch down to it); none clears the
    // selection, and so does a node the tree does not show.
    void selectionner(const CElement* noeud);
    // Starts label editing on the item of `noeud`.
    void editerLibelle(const CElement* noeud);
    // The item that carries `noeud`, or none.
    const CModeleArbre::SItem* itemDuNoeud(const CElement* noeud) const;
    bool editionLibelleEnCours() const { return editionEnCours_; }
    CModeleArbre& modele() { return *modele_; }
    CDoc& document() { return doc_; }

    // The query a drag carries, or none. One drag at a time in the whole program.
    static CRequete* requeteGlissee() { return requeteGlissee_; }
    // Drops the dragged query on the item of `cible`: copied there with `copie`, moved
    // to its binder otherwise. Used by the drop event; open to the tests, which cannot
    // run the platform's drag loop.
    void deposer(const CElement* cible, bool copie);
    static void definirRequeteGlissee(CRequete* requete) { requeteGlissee_ = requete; }

    using QTreeView::edit;

signals:
    // The node whose contents the list pane is to show (none: nothing).
    void selectionPubliee(CElement* noeud);
    // The selection, or label editing, changed: the commands' states follow.
    void etatCommandesChange();
    // The user brought the pane forward (a click, the focus, the context menu).
    void devientActive();

protected:
    void currentChanged(const QModelIndex& actuel, const QModelIndex& precedent) override;
    bool edit(const QModelIndex& index, EditTrigger declencheur, QEvent* evenement) override;
    void commitData(QWidget* editeur) override;
    void closeEditor(QWidget* editeur, QAbstractItemDelegate::EndEditHint conseil) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void focusInEvent(QFocusEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void contextMenuEvent(QContextMenuEvent* evenement) override;
    void startDrag(Qt::DropActions actions) override;
    void dragEnterEvent(QDragEnterEvent* evenement) override;
    void dragMoveEvent(QDragMoveEvent* evenement) override;
    void dragLeaveEvent(QDragLeaveEvent* evenement) override;
    void dropEvent(QDropEvent* evenement) override;
    void drawBranches(QPainter* peintre, const QRect& rect, const QModelIndex& index) const override;

private:
    using SItem = CModeleArbre::SItem;

    SItem* itemSelectionne() const;
    SItem* itemDe(const CElement* noeud) const { return const_cast<SItem*>(itemDuNoeud(noeud)); }
    // Inserts the item of `noeud` under `parent` (the root when null), with every item
    // the document shows beneath it.
    SItem* insererBranche(SItem* parent, const SItemArbre& item);
    void supprimerItem(SItem* item);
    void supprimerTout();
    void selectionnerItem(SItem* item);
    void editerItem(SItem* item);
    void geler(bool gel);
    // A query's items again, after its snapshot was replaced or it moved; the query
    // is selected when the selection was in its branch.
    void remplacerBrancheRequete(CElement* requete);
    // `ancien`'s items made again under `parent` from `item`, selected if asked.
    void remplacerBranche(SItem* ancien, SItem* parent, const SItemArbre& item, bool selectionner);
    void itemSupprime(CElement* noeud);
    void appliquerSelection(SItem* item);
    void selectionChangee(SItem* ancien, SItem* nouveau);
    void definirCommandes();
    bool selectionModifiable() const;
    bool selectionDansRequete() const;
    void mettreAJourSelection();
    void toutMettreAJour();
    void modifierRequete();
    void comparerSelection();
    void afficherProprietes();
    void supprimerSelection();
    void oublierBranche(const SItem* item);
    bool accepteGlisser(const QDropEvent* evenement) const;
    void appliquerRenommage();
    // Closes an open label editor without renaming: its item is about to go.
    void terminerEdition();

    const SServicesFenetres& services_;
    CDoc& doc_;
    const CDoc* documentDesCommandes() const override { return &doc_; }
    CModeleArbre* modele_;

    // Frozen painting: the selection and the expanded items wait for the thaw.
    int gel_ = 0;
    SItem* selectionEnAttente_ = nullptr;
    bool selectionTouchee_ = false;
    QSet<const SItem*> deplies_;
    SItem* editionEnAttente_ = nullptr;

    // The selection changes without telling the other views: during a rebuild (which
    // tells the list pane itself at its end) and a deletion (the same).
    bool silence_ = false;

    bool editionEnCours_ = false;
    QPersistentModelIndex indexEdite_;
    const SItem* itemRenomme_ = nullptr;
    QString texteRenomme_;
    bool renommageEnAttente_ = false;

    static CRequete* requeteGlissee_;
};
