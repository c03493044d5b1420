#pragma once
// The right pane of a document window, until the list of files takes its place: it
// receives the tree's selection like the list will, makes the listed node's binder
// and query the current ones, and shows which node that is.

#include <QLabel>

#include "model/CVueDocument.h"

class CChildFrame;
class CDoc;

class CPanneauListe : public QLabel, public CVueDocument {
    Q_OBJECT
public:
    CPanneauListe(CChildFrame& cadre, CDoc& doc, QWidget* parent = nullptr);
    ~CPanneauListe() override;

    // A node to list, or none: the pane empties.
    void miseAJour(CVueDocument* emetteur, CElement* indice) override;

    // The node listed last (only compared, never followed: it may be gone) and the
    // number of times the pane was told; for the tests.
    const CElement* noeudListe() const { return noeud_; }
    int nombreMisesAJour() const { return misesAJour_; }

protected:
    void focusInEvent(QFocusEvent* evenement) override;

private:
    CChildFrame& cadre_;
    CDoc& doc_;
    const CElement* noeud_ = nullptr;
    int misesAJour_ = 0;
};
