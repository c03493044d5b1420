#pragma once
// What the user sees of the long operations that still run on the interface thread (a
// search, a comparison, a print, opening an item with the desktop): past a short delay
// the busy cursor, and the windows kept painted. Captures run as jobs instead
// (CExecuteurTravauxQt).

#include <QElapsedTimer>

#include "ui/CTravailLong.h"

class CSuiviTravailQt : public CAnnonceTravailLong {
public:
    // A long operation starts, its window belonging to `parent`.
    void commencer(QWidget* parent) override;
    void terminer() override;

    // A search or a duplicate pass goes on (CUtilisateur::travailEnCours): past
    // delaiCurseur the busy cursor shows until the operation ends, and the windows
    // repaint; what the user types or clicks waits. Outside a long operation, or off
    // the interface thread, nothing.
    void travailEnCours();

    // Delay before a print's progress window appears (milliseconds).
    int delaiAffichage = 400;
    // Delay before a search shows the busy cursor (milliseconds).
    int delaiCurseur = 300;

private:
    bool actif_ = false;
    bool curseurOccupe_ = false;
    QElapsedTimer chrono_;
    QElapsedTimer dernierAffichage_;
};
