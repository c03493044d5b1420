#pragma once
// The main window's toolbar, drawn by us: flat buttons that rise under the pointer,
// checked ones sunken on a dithered ground (sunken, plain, while the pointer is on
// them), disabled pictures embossed and never rising, etched separators; the colours
// are the desktop palette's, light or dark. A button raised when the pointer left
// quickly for another window drops within 50 ms. Its layout is the one it is loaded
// with; the customising machinery is there but switched off.

#include <functional>

#include <QPointer>
#include <QTimer>
#include <QToolBar>

#include "ui/DispositionBarre.h"

class QAction;
#include <QToolButton>

class CToolBarEx : public QToolBar {
    Q_OBJECT
public:
    CToolBarEx(const QString& titre, QWidget* parent);

    // Builds the buttons of `disposition`, each on the action of its command.
    void charger(CDispositionBarre disposition, const std::function<QAction*(int)>& action);
    const CDispositionBarre& disposition() const { return disposition_; }
    // The command of each button, left to right; nullptr for a separator.
    QList<QAction*> actionsDesBoutons() const;

    // The button under the pointer, raised; none when the pointer is elsewhere.
    QToolButton* boutonChaud() const { return chaud_; }
    // Called by a button the pointer enters.
    void entrerDans(QToolButton* bouton);

private:
    void verifierPointeur();
    void changerChaud(QToolButton* bouton);

    CDispositionBarre disposition_;
    QPointer<QToolButton> chaud_;
    QTimer minuterie_;
};
