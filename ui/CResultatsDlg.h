#pragma once
// A results window: the search results (111) and the base of the comparison results
// (151). Modeless, owned by the main window, created hidden at start-up and kept for
// the whole run; closing it or Escape only hides it. One row per file entry, sorted by
// a header click (the same column again inverts the direction), columns moved by
// dragging their headers; both last for the run. "&Localiser" (Enter) shows the
// selected file in its document window, "&Ouvrir" and "Ouvrir le &dossier contenant"
// open it with the desktop.

#include <cstdint>
#include <string>

#include <vector>

#include <QDialog>
#include <QList>

#include "model/CLignesResultats.h"
#include "platform/ExportTableau.h"

class CFichier;
class CHoteResultats;
class CModeleResultats;
class QTreeView;
class QVBoxLayout;

class CResultatsDlg : public QDialog {
    Q_OBJECT
public:
    // `id`: 111 or 151, the window's number and its icon's. `imagesTri`: the sort
    // arrows, 0 ascending, 1 descending. With `imagesStatut`, the comparison's status
    // column comes first.
    CResultatsDlg(int id, const QString& titre, const QIcon& icone, const QList<QIcon>& imagesTri,
                  QWidget* parent, const QList<QIcon>& imagesStatut = {});
    ~CResultatsDlg() override;

    int id() const { return id_; }
    // The window program, which locates files; none: "&Localiser" does nothing.
    void definirHote(CHoteResultats* hote) { hote_ = hote; }

    // What the search (or the comparison) fills.
    void vider();
    // `statut`: the comparison's status of the row.
    void ajouterLigne(CFichier* fichier, std::int32_t statut = 0);
    void retrier();
    // Rows prepared in the current sort order, in place of those there.
    void remplacerLignes(std::vector<CLignesResultats::SLigne> triees);
    // Called by the file entry's destructor: its rows go at once.
    void retirerFichier(const CFichier* fichier);
    void retirerFichiers(const std::vector<const CFichier*>& fichiers);

    // Shows the window beside the one that has the keyboard, which keeps it.
    void montrerSansActiver();

    // A header click on column `colonne` (its index, not its place).
    void trierSur(int colonne);
    CFichier* fichierSelectionne() const;
    void localiser();
    void ouvrir(bool dossierContenant);

    CModeleResultats& modele() { return *modele_; }
    // The rows as shown, for an export: the columns in their shown order, the rows in
    // their sort order, each cell the file's raw value.
    STableauExporte tableauAffiche() const;
    // "Copier le chemin": the selected rows' paths on the clipboard, as text (one a
    // line) and as file URLs.
    void copierChemins() const;
    QTreeView& liste() { return *liste_; }

protected:
    // What an export writes under the title, and a status in words (the comparison's).
    virtual std::string legendeExport() const { return {}; }
    virtual std::string texteStatutExport(std::int32_t statut) const { return std::to_string(statut); }
    // The list, 8 pixels from each side; a derived window adds what goes under it.
    QVBoxLayout& disposition() { return *disposition_; }
    void keyPressEvent(QKeyEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void menuContextuel(const QPoint& position);
    int largeurColonne(int colonne) const;

    int id_;
    CHoteResultats* hote_ = nullptr;
    CModeleResultats* modele_;
    QTreeView* liste_;
    QVBoxLayout* disposition_;
};
