#pragma once
// The rows and columns of a document's list pane, as a Qt item model over node
// pointers. The node listed gives its columns and rows; a cell's text is made only
// when a view asks for it, so listing a folder of 200 000 files formats nothing but
// the rows on screen.
//
// Rows point into the document's snapshot. The nodes about to be destroyed are told
// here (lacherNoeuds) while they still exist: when the rows depend on them, the rows
// are dropped at once and lignesPerdues() asks the view to list again.

#include <vector>

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include "model/CObservateurDocument.h"
#include "model/ContenuListe.h"

class CElement;
class CRequete;

class CModeleListe : public QAbstractTableModel {
    Q_OBJECT
public:
    // `imagesTri`: 0 ascending, 1 descending.
    explicit CModeleListe(QList<QIcon> imagesTri, QObject* parent = nullptr);
    ~CModeleListe() override;

    // Columns and rows of `noeud`, as the node gives them (unsorted).
    void lister(CElement& noeud, bool filtreRecherche);
    // No rows; the columns stay.
    void viderLignes();
    // Puts the rows in `ordre` (row indices, first to last) and shows the sort image
    // on column `colonneTri` (ascending or not); the selection follows its rows.
    void ordonner(const std::vector<int>& ordre, int colonneTri, bool croissant);

    CElement* noeudListe() const { return noeud_; }
    const std::vector<CElement*>& lignes() const { return lignes_; }
    CElement* ligne(int rang) const;
    int nombreColonnes() const { return static_cast<int>(colonnes_.size()); }
    const SColonne& colonne(int c) const { return colonnes_[static_cast<std::size_t>(c)]; }

    // The document's NoeudVaPartir and InstantaneVaPartir notices: the rows and the
    // node listed let go of what goes.
    void lacherNoeuds(const SChangement& changement);

    // --- QAbstractItemModel --------------------------------------------------------
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // Rows were dropped because nodes they show were destroyed.
    void lignesPerdues();

private:
    void perdreLignes();

    QList<QIcon> imagesTri_;
    std::vector<SColonne> colonnes_;
    std::vector<CElement*> lignes_;
    CElement* noeud_ = nullptr;
    int typeListe_ = -1;
    // The query whose files are listed (none for a binder's list).
    const CRequete* requete_ = nullptr;
    int colonneTri_ = -1;
    bool croissant_ = true;
};
