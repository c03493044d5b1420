#pragma once
// A document window: one catalogue, split side by side into the tree (150 pixels
// wide at first) and the list pane. It owns its document and is always shown
// maximised in the main window. It carries the document's commands (new binder, new
// query, search, result windows, sub-folders, printing, save, close) and "&Fractionner".

#include <memory>

#include <QMdiSubWindow>

#include "ui/CCibleCommandes.h"

class CArboView;
class CDoc;
class CListeView;
class CVueDocument;
class QSplitter;
struct SServicesFenetres;

class CChildFrame : public QMdiSubWindow, public CCibleCommandes {
    Q_OBJECT
public:
    // `titreParDefaut`: "Liste1", "Liste2"... the title while the document has no file.
    CChildFrame(const SServicesFenetres& services, std::unique_ptr<CDoc> doc, const QString& titreParDefaut,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

    CDoc& document() { return *doc_; }
    CArboView& arbre() { return *arbre_; }
    CListeView& liste() { return *liste_; }
    // The pane at row 0, column 1 of the splitter: the view the tree hands its
    // selection to.
    CVueDocument* vueListe();
    QSplitter& separateur() { return *separateur_; }

    // The file's name, or the default title of a document never saved.
    QString titre() const;
    void actualiserTitre();

    // The pane that last had the focus: the tree or the list.
    QWidget* panneauActif() const { return panneauActif_; }
    bool arbreActif() const;
    void definirPanneauActif(QWidget* vue);
    // F6: the focus goes to the other pane.
    void panneauSuivant();
    // The active view as a command target.
    CCibleCommandes* vueCible();

    // Shown, or brought forward, always maximised.
    void afficherMaximise();
    // Brought forward as it stands (tiled, cascaded or maximised); only a minimised
    // window is restored, so that it can be seen.
    void afficherAuPremierPlan();
    // "&Fractionner": the arrow keys move the split bar, Enter keeps the place, Escape
    // puts it back.
    void fractionner();
    bool fractionnementEnCours() const { return fractionnement_; }

    // Something the commands depend on changed (selection, label editing).
    void selectionChangee();

protected:
    void closeEvent(QCloseEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void definirCommandes();
    void nouveauClasseur();
    void nouvelleRequete();
    void imprimer();
    void afficherApercu();
    void terminerFractionnement(bool garder);

    const SServicesFenetres& services_;
    std::unique_ptr<CDoc> doc_;
    const CDoc* documentDesCommandes() const override { return doc_.get(); }
    QString titreParDefaut_;
    QSplitter* separateur_;
    CArboView* arbre_;
    CListeView* liste_;
    QWidget* panneauActif_;
    bool fractionnement_ = false;
    QList<int> taillesAvantFractionnement_;
    QMetaObject::Connection changementEtat_;
};
