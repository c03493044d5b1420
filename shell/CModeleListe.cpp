#include "shell/CModeleListe.h"

#include <algorithm>

#include "model/CAffichable.h"
#include "model/CElement.h"
#include "model/TexteCellule.h"
#include "workspace/CContexte.h"

CModeleListe::CModeleListe(QList<QIcon> imagesTri, QObject* parent)
    : QAbstractTableModel(parent), imagesTri_(std::move(imagesTri))
{
}

CModeleListe::~CModeleListe() = default;

void CModeleListe::lister(CElement& noeud, bool filtreRecherche)
{
    beginResetModel();
    colonnes_.clear();
    lignes_.clear();
    colonneTri_ = -1;
    noeud_ = &noeud;
    CAffichable* affichable = noeud.commeAffichable();
    typeListe_ = affichable ? affichable->typeListe() : -1;
    requete_ = typeListe_ == 1 ? noeud.requete() : nullptr;
    if (affichable) {
        SContenuListe contenu = affichable->contenuListe(filtreRecherche);
        colonnes_ = std::move(contenu.colonnes);
        lignes_ = std::move(contenu.lignes);
    }
    endResetModel();
}

void CModeleListe::viderLignes()
{
    if (lignes_.empty() && !noeud_)
        return;
    beginResetModel();
    lignes_.clear();
    noeud_ = nullptr;
    requete_ = nullptr;
    endResetModel();
}

void CModeleListe::ordonner(const std::vector<int>& ordre, int colonneTri, bool croissant)
{
    if (ordre.size() != lignes_.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<CElement*> triees(lignes_.size());
    std::vector<int> nouveauRang(lignes_.size());
    for (std::size_t i = 0; i < ordre.size(); ++i) {
        triees[i] = lignes_[static_cast<std::size_t>(ordre[i])];
        nouveauRang[static_cast<std::size_t>(ordre[i])] = static_cast<int>(i);
    }
    lignes_ = std::move(triees);
    // The selection and the current row stay on their nodes.
    const QModelIndexList anciens = persistentIndexList();
    QModelIndexList nouveaux;
    nouveaux.reserve(anciens.size());
    for (const QModelIndex& i : anciens)
        nouveaux.append(index(nouveauRang[static_cast<std::size_t>(i.row())], i.column()));
    changePersistentIndexList(anciens, nouveaux);
    colonneTri_ = colonneTri;
    croissant_ = croissant;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    const int derniere = nombreColonnes() - 1;
    if (derniere >= 0)
        emit headerDataChanged(Qt::Horizontal, 0, derniere);
}

CElement* CModeleListe::ligne(int rang) const
{
    return rang >= 0 && rang < static_cast<int>(lignes_.size()) ? lignes_[static_cast<std::size_t>(rang)]
                                                                 : nullptr;
}

void CModeleListe::lacherNoeuds(const SChangement& changement)
{
    if (!noeud_)
        return;
    if (partAvec(*noeud_, changement)) {
        noeud_ = nullptr;
        requete_ = nullptr;
        perdreLignes();
        return;
    }
    // A folder's rows belong to one query and go together; a binder's or a document's
    // are a handful of queries or binders, each looked at.
    const auto part = [&](const CElement* ligne) { return partAvec(*ligne, changement); };
    if (typeListe_ == 1 ? !lignes_.empty() && part(lignes_.front())
                        : std::any_of(lignes_.begin(), lignes_.end(), part))
        perdreLignes();
}

void CModeleListe::perdreLignes()
{
    if (lignes_.empty())
        return;
    beginResetModel();
    lignes_.clear();
    endResetModel();
    emit lignesPerdues();
}

int CModeleListe::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lignes_.size());
}

int CModeleListe::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : nombreColonnes();
}

QVariant CModeleListe::data(const QModelIndex& index, int role) const
{
    CElement* n = ligne(index.row());
    if (!n || index.column() < 0 || index.column() >= nombreColonnes())
        return {};
    const SColonne& c = colonne(index.column());
    if (role == Qt::DisplayRole)
        return QString::fromStdString(texteCellule(*n, c.champ));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment((c.aDroite ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    return {};
}

QVariant CModeleListe::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= nombreColonnes())
        return {};
    const SColonne& c = colonne(section);
    if (role == Qt::DisplayRole)
        return QString::fromStdString(c.titre);
    if (role == Qt::DecorationRole && section == colonneTri_ && imagesTri_.size() >= 2)
        return imagesTri_[croissant_ ? 0 : 1];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment((c.aDroite ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    return {};
}
