#pragma once
// The quick search's field, at the right end of the main window's toolbar: Escape
// empties it, Enter asks for the answer's window.

#include <QLineEdit>

class QToolBar;

class CChampRechercheRapide : public QLineEdit {
    Q_OBJECT
public:
    explicit CChampRechercheRapide(QWidget* parent = nullptr);

    // Puts the field at the right end of `barre`, after a stretch.
    void placerAuBoutDe(QToolBar& barre);
    // Ctrl+F: the focus, with the text selected.
    void prendreLaMain();

signals:
    void valide();

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
};
