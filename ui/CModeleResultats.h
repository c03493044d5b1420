#pragma once
// The rows of a results window as a Qt table model over CLignesResultats: a cell's
// text is made only when a view paints it, so a million found files cost the window
// one small row each. A row whose file is destroyed leaves the model at once.

#include <cstdint>

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include "model/CLignesResultats.h"

class CFichier;

class CModeleResultats : public QAbstractTableModel {
    Q_OBJECT
public:
    // `imagesTri`: 0 ascending, 1 descending; `colonneStatut`: the comparison's
    // status column first, with `imagesStatut` (status 0, 1, 2).
    CModeleResultats(QList<QIcon> imagesTri, bool colonneStatut, QList<QIcon> imagesStatut = {},
                     QObject* parent = nullptr);

    void vider();
    // Waits, unseen, for retrier().
    void ajouterLigne(CFichier* fichier, std::int32_t statut = 0) { lignes_.ajouter(fichier, statut); }
    void retrier();
    // Rows sorted already on the current column and direction (off this thread) take
    // the place of the rows there: the views take the whole list again.
    void remplacerLignes(std::vector<CLignesResultats::SLigne> triees);
    // A header click on `colonne`.
    void trierSur(int colonne);
    void retirerFichier(const CFichier* fichier);
    // Many at once: the views take the list again once (row by row, a view lays out
    // every row left after each removal).
    void retirerFichiers(const std::vector<const CFichier*>& fichiers);

    CFichier* fichier(int rang) const { return lignes_.ligne(rang); }
    std::int32_t statut(int rang) const { return lignes_.statut(rang); }
    // The file field a column shows (0 to 6), or 7 for the comparison's status.
    int champDeColonne(int colonne) const { return lignes_.champDeColonne(colonne); }
    int rangDe(const CFichier* fichier) { return lignes_.rangDe(fichier); }
    int colonneTri() const { return lignes_.colonneTri(); }
    // The field of ordreFichiers the rows sort on (the status column: 7).
    int champTri() const { return lignes_.champDeColonne(lignes_.colonneTri()); }
    bool croissant() const { return lignes_.croissant(); }
    // Pixels, as the window first gives them.
    int largeur(int colonne) const;
    // The widest usual text of a column, to widen it for the screen's font.
    QString texteExemple(int colonne) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Re-sorts through `trier`, keeping the selection and current row on their files.
    template <typename Trier>
    void reordonner(Trier trier);
    bool aDroite(int colonne) const;

    CLignesResultats lignes_;
    QList<QIcon> imagesTri_;
    QList<QIcon> imagesStatut_;
    bool colonneStatut_;
};
