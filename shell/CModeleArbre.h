#pragma once
// The items of a catalogue tree, as a Qt item model. Each item keeps what the view
// shows (label, images, bold) and what the commands ask (kind code, editable) as
// they were when it was inserted: the node it carries is never read once inserted,
// so an item may outlive its node for the length of a capture without harm.
//
// Siblings are kept sorted by label. A rebuild goes through a batch (commencerLot /
// terminerLot): the views are reset once, siblings are sorted once per parent, so a
// tree of tens of thousands of folders is built in a fraction of a second. Outside a
// batch, the children of an item whose children no view has asked for yet (a query
// just inserted, with its folders) are appended silently and sorted on first use:
// the views learn of them when they look, as of any item they have not seen.

#include <memory>
#include <vector>

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

#include "ui/TriLibelles.h"

class CElement;

class CModeleArbre : public QAbstractItemModel {
    Q_OBJECT
public:
    struct SItem {
        SItem* parent = nullptr;
        std::vector<std::unique_ptr<SItem>> enfants;
        QString libelle;
        QString cle;                 // sort key of the label
        int image = 0;
        int imageSelection = 0;
        CElement* noeud = nullptr;   // not owned; valid while the tree shows it
        int type = -1;               // the node's kind code
        bool modifiable = false;
        bool gras = false;
        bool enSuppression = false;  // set on a branch while it is being removed
        // Position among the siblings, valid while the parent's rangsValides is.
        mutable int rang = 0;
        mutable bool rangsValides = true;
        bool aTrier = false;         // children appended, not sorted yet
        mutable bool enfantsVus = false;  // a view asked for the children
    };

    // `images`: the tree image list (not copied; must outlive the model).
    explicit CModeleArbre(const QList<QIcon>& images, QObject* parent = nullptr);
    ~CModeleArbre() override;

    SItem* racine() { return &racine_; }
    const SItem* racine() const { return &racine_; }

    // Inserts under `parent` (the root when null) at its sorted place.
    SItem* inserer(SItem* parent, const QString& libelle, int image, int imageSelection,
                   CElement* noeud);
    void supprimer(SItem* item);
    void supprimerTout();
    void definirGras(SItem* item, bool gras);
    // New label, and the item moves to its sorted place among its siblings.
    void changerLibelle(SItem* item, const QString& libelle);

    // Between these two calls the views see nothing; they are reset at the end.
    void commencerLot();
    void terminerLot();
    bool enLot() const { return enLot_; }

    // The item shown as drop target while a query is dragged, or none.
    void definirCibleDepot(SItem* item);
    SItem* cibleDepot() const { return cibleDepot_; }

    const SItem* premierEnfant(const SItem* parent) const;
    const SItem* suivant(const SItem* item) const;
    int rangDe(const SItem* item) const;
    QModelIndex indexDe(const SItem* item) const;
    SItem* item(const QModelIndex& index) const;
    // The root-level item above `item` (itself at the root): its binder's item.
    static SItem* itemNiveauRacine(SItem* item);
    bool existe(const SItem* item) const;

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* donnees, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;

    // The MIME type of a dragged query.
    static QString typeMimeRequete();

private:
    const QIcon& icone(int image, int imageSelection) const;
    // Sorts the children appended unsorted. Only ever for children no view has seen.
    void trierSiBesoin(const SItem* parent) const;
    const SItem* vuParUneVue(const QModelIndex& parent) const;
    int positionTriee(const SItem* parent, const SItem& item) const;
    void trierLots(SItem* item);
    void marquerSuppression(SItem* item);
    bool contient(const SItem* branche, const SItem* item) const;

    const QList<QIcon>& images_;
    mutable QHash<int, QIcon> paires_;
    SItem racine_;
    bool enLot_ = false;
    SItem* cibleDepot_ = nullptr;
};
