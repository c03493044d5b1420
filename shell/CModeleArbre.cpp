#include "shell/CModeleArbre.h"

#include <algorithm>

#include <QBrush>
#include <QFont>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>

#include "model/CElement.h"

namespace {

bool avant(const CModeleArbre::SItem& a, const CModeleArbre::SItem& b)
{
    return libelleAvant(a.cle, a.libelle, b.cle, b.libelle);
}

} // namespace

CModeleArbre::CModeleArbre(const QList<QIcon>& images, QObject* parent)
    : QAbstractItemModel(parent), images_(images)
{
}

CModeleArbre::~CModeleArbre() = default;

const QIcon& CModeleArbre::icone(int image, int imageSelection) const
{
    const int cle = image * 256 + imageSelection;
    auto it = paires_.find(cle);
    if (it == paires_.end()) {
        const QIcon normal = images_.value(image);
        const QIcon choisi = images_.value(imageSelection);
        QIcon paire;
        for (const QSize& t : normal.availableSizes())
            paire.addPixmap(normal.pixmap(t), QIcon::Normal);
        for (const QSize& t : choisi.availableSizes())
            paire.addPixmap(choisi.pixmap(t), QIcon::Selected);
        it = paires_.insert(cle, paire);
    }
    return *it;
}

// --- Structure -------------------------------------------------------------------------

void CModeleArbre::trierSiBesoin(const SItem* parent) const
{
    if (!parent->aTrier)
        return;
    // The items are the model's own, never const objects: only the pointer is.
    auto& enfants = const_cast<SItem*>(parent)->enfants;
    std::stable_sort(enfants.begin(), enfants.end(),
                     [](const std::unique_ptr<SItem>& a, const std::unique_ptr<SItem>& b) { return avant(*a, *b); });
    const_cast<SItem*>(parent)->aTrier = false;
    parent->rangsValides = false;
}

const CModeleArbre::SItem* CModeleArbre::vuParUneVue(const QModelIndex& parent) const
{
    const SItem* p = parent.isValid() ? item(parent) : &racine_;
    trierSiBesoin(p);
    p->enfantsVus = true;
    return p;
}

int CModeleArbre::rangDe(const SItem* item) const
{
    const SItem* parent = item->parent;
    trierSiBesoin(parent);
    if (!parent->rangsValides) {
        int r = 0;
        for (const auto& e : parent->enfants)
            e->rang = r++;
        parent->rangsValides = true;
    }
    return item->rang;
}

int CModeleArbre::positionTriee(const SItem* parent, const SItem& item) const
{
    const auto it = std::upper_bound(parent->enfants.begin(), parent->enfants.end(), item,
                                     [](const SItem& a, const std::unique_ptr<SItem>& b) {
                                         return avant(a, *b);
                                     });
    return static_cast<int>(it - parent->enfants.begin());
}

CModeleArbre::SItem* CModeleArbre::inserer(SItem* parent, const QString& libelle, int image,
                                           int imageSelection, CElement* noeud)
{
    if (!parent)
        parent = &racine_;
    auto item = std::make_unique<SItem>();
    item->parent = parent;
    item->libelle = libelle;
    item->cle = cleTriLibelle(libelle);
    item->image = image;
    item->imageSelection = imageSelection;
    item->noeud = noeud;
    if (noeud) {
        item->type = noeud->codeType();
        item->modifiable = noeud->estModifiable();
    }
    SItem* brut = item.get();
    if (enLot_ || (parent != &racine_ && !parent->enfantsVus)) {
        // Sorted once, at the end of the batch or when first looked at.
        parent->enfants.push_back(std::move(item));
        parent->aTrier = true;
        parent->rangsValides = false;
        return brut;
    }
    const int position = positionTriee(parent, *item);
    beginInsertRows(indexDe(parent), position, position);
    parent->enfants.insert(parent->enfants.begin() + position, std::move(item));
    parent->rangsValides = false;
    endInsertRows();
    return brut;
}

void CModeleArbre::marquerSuppression(SItem* item)
{
    item->enSuppression = true;
    for (auto& e : item->enfants)
        marquerSuppression(e.get());
}

bool CModeleArbre::contient(const SItem* branche, const SItem* item) const
{
    for (const SItem* i = item; i; i = i->parent)
        if (i == branche)
            return true;
    return false;
}

void CModeleArbre::supprimer(SItem* item)
{
    if (!item || item == &racine_)
        return;
    if (cibleDepot_ && contient(item, cibleDepot_))
        cibleDepot_ = nullptr;
    SItem* parent = item->parent;
    const int rang = rangDe(item);
    if (enLot_) {
        parent->enfants.erase(parent->enfants.begin() + rang);
        parent->rangsValides = false;
        return;
    }
    marquerSuppression(item);
    beginRemoveRows(indexDe(parent), rang, rang);
    parent->enfants.erase(parent->enfants.begin() + rang);
    parent->rangsValides = false;
    endRemoveRows();
}

void CModeleArbre::supprimerTout()
{
    cibleDepot_ = nullptr;
    if (enLot_) {
        racine_.enfants.clear();
        racine_.rangsValides = true;
        return;
    }
    beginResetModel();
    racine_.enfants.clear();
    racine_.rangsValides = true;
    endResetModel();
}

void CModeleArbre::definirGras(SItem* item, bool gras)
{
    if (!item || item == &racine_ || item->gras == gras)
        return;
    item->gras = gras;
    if (!enLot_) {
        const QModelIndex i = indexDe(item);
        emit dataChanged(i, i, {Qt::FontRole});
    }
}

void CModeleArbre::changerLibelle(SItem* item, const QString& libelle)
{
    if (!item || item == &racine_)
        return;
    item->libelle = libelle;
    item->cle = cleTriLibelle(libelle);
    SItem* parent = item->parent;
    const int depart = rangDe(item);
    if (enLot_) {
        parent->aTrier = true;
        return;
    }
    const QModelIndex i = indexDe(item);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});

    // Where the item goes among the others, counted without it.
    std::unique_ptr<SItem> retire = std::move(parent->enfants[depart]);
    parent->enfants.erase(parent->enfants.begin() + depart);
    const int arrivee = positionTriee(parent, *retire);
    parent->enfants.insert(parent->enfants.begin() + depart, std::move(retire));
    if (arrivee == depart)
        return;
    // beginMoveRows counts the destination before the move.
    const QModelIndex p = indexDe(parent);
    beginMoveRows(p, depart, depart, p, arrivee > depart ? arrivee + 1 : arrivee);
    std::unique_ptr<SItem> deplace = std::move(parent->enfants[depart]);
    parent->enfants.erase(parent->enfants.begin() + depart);
    parent->enfants.insert(parent->enfants.begin() + arrivee, std::move(deplace));
    parent->rangsValides = false;
    endMoveRows();
}

void CModeleArbre::commencerLot()
{
    if (enLot_)
        return;
    beginResetModel();
    enLot_ = true;
}

void CModeleArbre::trierLots(SItem* item)
{
    trierSiBesoin(item);
    // The views are reset: they have seen nothing yet.
    item->enfantsVus = item == &racine_;
    for (auto& e : item->enfants)
        trierLots(e.get());
}

void CModeleArbre::terminerLot()
{
    if (!enLot_)
        return;
    trierLots(&racine_);
    enLot_ = false;
    endResetModel();
}

void CModeleArbre::definirCibleDepot(SItem* item)
{
    if (item == cibleDepot_)
        return;
    SItem* ancienne = cibleDepot_;
    cibleDepot_ = item;
    for (SItem* i : {ancienne, item})
        if (i && !enLot_) {
            const QModelIndex x = indexDe(i);
            emit dataChanged(x, x, {Qt::BackgroundRole, Qt::ForegroundRole});
        }
}

const CModeleArbre::SItem* CModeleArbre::premierEnfant(const SItem* parent) const
{
    if (!parent)
        parent = &racine_;
    trierSiBesoin(parent);
    return parent->enfants.empty() ? nullptr : parent->enfants.front().get();
}

const CModeleArbre::SItem* CModeleArbre::suivant(const SItem* item) const
{
    if (!item || !item->parent)
        return nullptr;
    const auto& freres = item->parent->enfants;
    const std::size_t r = static_cast<std::size_t>(rangDe(item)) + 1;
    return r < freres.size() ? freres[r].get() : nullptr;
}

QModelIndex CModeleArbre::indexDe(const SItem* item) const
{
    if (!item || item == &racine_)
        return {};
    return createIndex(rangDe(item), 0, const_cast<SItem*>(item));
}

CModeleArbre::SItem* CModeleArbre::item(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<SItem*>(index.internalPointer()) : nullptr;
}

CModeleArbre::SItem* CModeleArbre::itemNiveauRacine(SItem* item)
{
    while (item && item->parent && item->parent->parent)
        item = item->parent;
    return item && item->parent ? item : nullptr;
}

bool CModeleArbre::existe(const SItem* item) const
{
    if (!item)
        return false;
    const SItem* i = item;
    while (i->parent) {
        const SItem* p = i->parent;
        // Every step must still be among its parent's children.
        const auto trouve = std::find_if(p->enfants.begin(), p->enfants.end(),
                                         [i](const std::unique_ptr<SItem>& e) { return e.get() == i; });
        if (trouve == p->enfants.end())
            return false;
        i = p;
    }
    return i == &racine_;
}

// --- QAbstractItemModel ----------------------------------------------------------------

QModelIndex CModeleArbre::index(int row, int column, const QModelIndex& parent) const
{
    const SItem* p = vuParUneVue(parent);
    if (column != 0 || row < 0 || static_cast<std::size_t>(row) >= p->enfants.size())
        return {};
    SItem* e = p->enfants[static_cast<std::size_t>(row)].get();
    e->rang = row;
    return createIndex(row, 0, e);
}

QModelIndex CModeleArbre::parent(const QModelIndex& index) const
{
    const SItem* i = item(index);
    if (!i || !i->parent || i->parent == &racine_)
        return {};
    return indexDe(i->parent);
}

int CModeleArbre::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(vuParUneVue(parent)->enfants.size());
}

int CModeleArbre::columnCount(const QModelIndex&) const
{
    return 1;
}

bool CModeleArbre::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant CModeleArbre::data(const QModelIndex& index, int role) const
{
    const SItem* i = item(index);
    if (!i)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return i->libelle;
    case Qt::DecorationRole:
        return icone(i->image, i->imageSelection);
    case Qt::FontRole:
        if (i->gras) {
            QFont f = QGuiApplication::font();
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::BackgroundRole:
        if (i == cibleDepot_)
            return QGuiApplication::palette().brush(QPalette::Active, QPalette::Highlight);
        return {};
    case Qt::ForegroundRole:
        if (i == cibleDepot_)
            return QGuiApplication::palette().brush(QPalette::Active, QPalette::HighlightedText);
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags CModeleArbre::flags(const QModelIndex& index) const
{
    const SItem* i = item(index);
    if (!i)
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (i->modifiable)
        f |= Qt::ItemIsEditable;
    if (i->type == kTypeRequete)
        f |= Qt::ItemIsDragEnabled;
    return f;
}

QString CModeleArbre::typeMimeRequete()
{
    return QStringLiteral("application/x-norvanel-requete");
}

QStringList CModeleArbre::mimeTypes() const
{
    return {typeMimeRequete()};
}

Qt::DropActions CModeleArbre::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions CModeleArbre::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

bool CModeleArbre::canDropMimeData(const QMimeData* donnees, Qt::DropAction, int, int,
                                   const QModelIndex&) const
{
    return donnees && donnees->hasFormat(typeMimeRequete());
}
