#pragma once
// The first two steps of the compare wizard (dialog 152): the tree of the document's
// binders and queries, without folders, in which the user picks the first query, then
// the second. The first query is not offered again at the second step, and "Suivant >"
// is enabled only on a query, so the dialog never ends with an incomplete pair.
//
//   step 0   "Annuler"      ends the dialog by cancel
//   step 1   "< Précédent"  keeps the selection as the second query, back to step 0
//
// Escape and the close box act as that back button. The dialog may be run again after
// it ended with OK: it opens at step 1, the second query selected.

#include <QDialog>
#include <QIcon>
#include <QList>

class CDoc;
class CRequete;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CChoixRequetesDlg : public QDialog {
    Q_OBJECT
public:
    // `premiere`: the query chosen first, or none. The document and the tree image list
    // `imagesArbre` must outlive the dialog; the document may not change while it runs
    // (it is modal).
    CChoixRequetesDlg(CDoc& doc, CRequete* premiere, const QList<QIcon>& imagesArbre, QWidget* parent);

    CRequete* premiere() const { return premiere_; }
    CRequete* seconde() const { return seconde_; }
    int etape() const { return etape_; }

    QTreeWidget& arbre() const { return *arbre_; }
    QLabel& invite() const { return *invite_; }
    QPushButton& boutonSuivant() const { return *suivant_; }
    QPushButton& boutonPrecedent() const { return *precedent_; }

    // "Suivant >": the selected query becomes the current choice; at step 1 the dialog
    // ends with OK, at step 0 it goes on to step 1.
    void accept() override;
    // "Annuler" / "< Précédent", Escape, the close box.
    void reject() override;

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    // Fills the tree for the current step and selects the current choice.
    void remplir();
    CRequete* requeteSelectionnee() const;
    void actualiserSuivant();

    CDoc& doc_;
    const QList<QIcon>& images_;
    CRequete* premiere_;
    CRequete* seconde_ = nullptr;
    int etape_ = 0;
    QLabel* invite_;
    QTreeWidget* arbre_;
    QPushButton* precedent_;
    QPushButton* suivant_;
};
