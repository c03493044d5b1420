#include "ui/CModeleResultats.h"

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/ContenuListe.h"
#include "model/TexteCellule.h"

namespace {

struct SColonneResultat {
    const char* titre;
    int largeur;
    bool aDroite;
    EChamp champ;
};

// The seven columns, in their index order; the field index of TriListe is the position.
constexpr SColonneResultat kColonnes[] = {
    {"Nom", 175, false, EChamp::Nom},        {"Taille", 100, true, EChamp::Taille},
    {"Créé", 100, false, EChamp::Cree},      {"Modifié", 100, false, EChamp::Modifie},
    {"Accédé", 70, false, EChamp::Accede},   {"Attribut", 50, true, EChamp::Attribut},
    {"Dossier", 200, false, EChamp::Dossier},
};
constexpr int kLargeurStatut = 32;

// Whether the file's query stores the value of `champ`: the other cells stay empty.
bool valeurStockee(const CFichier& f, EChamp champ)
{
    const CRequete* q = f.requete();
    switch (champ) {
    case EChamp::Taille: return q && q->stockerTaille;
    case EChamp::Cree: return q && q->stockerCree;
    case EChamp::Modifie: return q && q->stockerModifie;
    case EChamp::Accede: return q && q->stockerAccede;
    case EChamp::Attribut: return q && q->stockerAttributs;
    case EChamp::Nom:
    case EChamp::Dossier:
    case EChamp::NomRequete:
    case EChamp::DossierRequete: return true;
    }
    return true;
}

} // namespace

CModeleResultats::CModeleResultats(QList<QIcon> imagesTri, bool colonneStatut, QList<QIcon> imagesStatut,
                                   QObject* parent)
    : QAbstractTableModel(parent), lignes_(colonneStatut), imagesTri_(std::move(imagesTri)),
      imagesStatut_(std::move(imagesStatut)), colonneStatut_(colonneStatut)
{
}

void CModeleResultats::vider()
{
    beginResetModel();
    lignes_.vider();
    endResetModel();
}

void CModeleResultats::remplacerLignes(std::vector<CLignesResultats::SLigne> triees)
{
    beginResetModel();
    lignes_.remplacer(std::move(triees));
    endResetModel();
}

template <typename Trier>
void CModeleResultats::reordonner(Trier trier)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current row stay on their files.
    const QModelIndexList anciens = persistentIndexList();
    std::vector<const CFichier*> fichiers;
    fichiers.reserve(static_cast<std::size_t>(anciens.size()));
    for (const QModelIndex& i : anciens)
        fichiers.push_back(lignes_.ligne(i.row()));
    trier();
    // A handful of files (the current row, the selection): one pass finds them, where
    // the index of every row would first have to be sorted.
    std::vector<int> rangs(fichiers.size(), -1);
    for (int r = 0; r < lignes_.nombre() && !fichiers.empty(); ++r)
        for (std::size_t k = 0; k < fichiers.size(); ++k)
            if (rangs[k] < 0 && fichiers[k] == lignes_.ligne(r))
                rangs[k] = r;
    QModelIndexList nouveaux;
    nouveaux.reserve(anciens.size());
    for (qsizetype k = 0; k < anciens.size(); ++k) {
        const int r = rangs[static_cast<std::size_t>(k)];
        nouveaux.append(r < 0 ? QModelIndex() : index(r, anciens[k].column()));
    }
    changePersistentIndexList(anciens, nouveaux);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void CModeleResultats::retrier()
{
    if (!lignes_.enAttente() && lignes_.nombre() == 0) {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        return;
    }
    // New rows in: the views take the whole list again (a search has just emptied it).
    if (lignes_.enAttente()) {
        beginResetModel();
        lignes_.trier();
        endResetModel();
        return;
    }
    reordonner([this] { lignes_.trier(); });
}

void CModeleResultats::trierSur(int colonne)
{
    reordonner([this, colonne] { lignes_.trierSur(colonne); });
}

void CModeleResultats::retirerFichier(const CFichier* fichier)
{
    lignes_.oublierArrivee(fichier);
    // A file of a compared pair may have two rows.
    for (int r = lignes_.rangDe(fichier); r >= 0; r = lignes_.rangDe(fichier)) {
        beginRemoveRows({}, r, r);
        lignes_.retirerRang(r);
        endRemoveRows();
    }
}

void CModeleResultats::retirerFichiers(const std::vector<const CFichier*>& fichiers)
{
    // A few rows keep the selection and the scrolling; past that, one reset.
    constexpr std::size_t kUnParUn = 64;
    if (fichiers.size() <= kUnParUn) {
        for (const CFichier* f : fichiers)
            retirerFichier(f);
        return;
    }
    beginResetModel();
    lignes_.oublierArrivees(fichiers);
    for (const CFichier* f : fichiers)
        for (int r = lignes_.rangDe(f); r >= 0; r = lignes_.rangDe(f))
            lignes_.retirerRang(r);
    endResetModel();
}

bool CModeleResultats::aDroite(int colonne) const
{
    const int c = colonneStatut_ ? colonne - 1 : colonne;
    return c >= 0 && c < 7 && kColonnes[c].aDroite;
}

int CModeleResultats::largeur(int colonne) const
{
    const int c = colonneStatut_ ? colonne - 1 : colonne;
    if (c < 0)
        return kLargeurStatut;
    return c < 7 ? kColonnes[c].largeur : 100;
}

QString CModeleResultats::texteExemple(int colonne) const
{
    const int c = colonneStatut_ ? colonne - 1 : colonne;
    return c >= 0 && c < 7 ? QString::fromStdString(::texteExemple(kColonnes[c].champ)) : QString();
}

int CModeleResultats::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : lignes_.nombre();
}

int CModeleResultats::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : lignes_.nombreColonnes();
}

QVariant CModeleResultats::data(const QModelIndex& index, int role) const
{
    CFichier* f = lignes_.ligne(index.row());
    if (!f || index.column() < 0 || index.column() >= columnCount())
        return {};
    const int c = colonneStatut_ ? index.column() - 1 : index.column();
    if (c < 0) {
        const std::int32_t statut = lignes_.statut(index.row());
        if (role == Qt::DecorationRole && statut >= 0 && statut < imagesStatut_.size())
            return imagesStatut_[statut];
        return {};
    }
    if (role == Qt::DisplayRole) {
        const EChamp champ = kColonnes[c].champ;
        return valeurStockee(*f, champ) ? QString::fromStdString(texteCellule(*f, champ)) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment((kColonnes[c].aDroite ? Qt::AlignRight : Qt::AlignLeft) |
                                                 Qt::AlignVCenter));
    return {};
}

QVariant CModeleResultats::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const int c = colonneStatut_ ? section - 1 : section;
    if (role == Qt::DisplayRole)
        return c >= 0 ? QString::fromUtf8(kColonnes[c].titre) : QString();
    if (role == Qt::DecorationRole && section == lignes_.colonneTri() && imagesTri_.size() >= 2)
        return imagesTri_[lignes_.croissant() ? 0 : 1];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment((aDroite(section) ? Qt::AlignRight : Qt::AlignLeft) |
                                                 Qt::AlignVCenter));
    return {};
}
