#pragma once
// The right pane of a document window: the contents of the node selected in the tree.
// A binder lists its queries; a query or a folder lists its files, with one column per
// value its query stores, and, while sub-folders are not shown in the tree, the files
// of every folder beneath it with their folder. A header click sorts, a header drag
// reorders the columns; both are kept in the document. A row is opened, or its
// containing folder, by double-click, Enter or the context menu.

#include <optional>

#include <QTreeView>

#include "model/CObservateurDocument.h"
#include "shell/CVueDocument.h"
#include "ui/CCibleCommandes.h"

class CDoc;
class CElement;
class CModeleListe;
class COuvrable;
struct SColonne;
struct SServicesFenetres;
struct STableauExporte;

class CListeView : public QTreeView, public CVueDocument, public CObservateurDocument, public CCibleCommandes {
    Q_OBJECT
public:
    CListeView(const SServicesFenetres& services, CDoc& doc, QWidget* parent = nullptr);
    ~CListeView() override;

    // A node to list, or none: the rows go, the columns stay.
    void miseAJour(CVueDocument* emetteur, CElement* indice) override;
    // New found marks: under the search filter the rows they pick change. The tree
    // tells the pane of every other change through its selection.
    void documentChange(const SChangement& changement) override;

    // Sorts on `colonne` (none: again as stored), in the forced direction if one is
    // given; the document keeps the sort of the list kind.
    void trier(std::optional<int> colonne = std::nullopt, std::optional<bool> sensForce = std::nullopt);

    CModeleListe& modele() { return *modele_; }
    // The node listed, or none.
    CElement* noeudListe() const;
    // The node of the selected row, or none.
    CElement* noeudSelectionne() const;
    // The rows as shown, for an export (columns in their shown order, rows in their
    // sort order, a file's values raw); the selected rows' paths to the clipboard.
    STableauExporte tableauAffiche() const;
    void copierChemins() const;
    // Number of times the pane was told of a change; for the tests.
    int nombreMisesAJour() const { return misesAJour_; }

signals:
    // The row selected, or the node listed, changed: the commands' states follow.
    void etatCommandesChange();
    // The user brought the pane forward (a click, the focus, the context menu).
    void devientActive();

protected:
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void contextMenuEvent(QContextMenuEvent* evenement) override;
    void focusInEvent(QFocusEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void currentChanged(const QModelIndex& actuel, const QModelIndex& precedent) override;

private:
    void lister(CElement* noeud);
    void appliquerOrdreColonnes(int disposition);
    int largeurColonne(const SColonne& colonne) const;
    void colonneDeplacee();
    // "&Ouvrir" and "Ouvrir le &dossier contenant".
    void definirCommandes();
    // The selected row's item when it, or with `dossierContenant` its folder, can be
    // opened.
    COuvrable* ouvrableSelectionne(bool dossierContenant) const;
    void ouvrirSelection(bool dossierContenant);

    const SServicesFenetres& services_;
    CDoc& doc_;
    const CDoc* documentDesCommandes() const override { return &doc_; }
    CModeleListe* modele_;
    int misesAJour_ = 0;
    // Set while the columns are moved by the program, not by the user.
    bool placementColonnes_ = false;
};
