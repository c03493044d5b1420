#pragma once
// What the user sees of the short operations that still run on the interface thread
// (opening an item, which may ask for its disk): the busy cursor while they last.
// Captures, searches, comparisons and prints run as jobs instead.

#include "ui/CTravailLong.h"

class CSuiviTravailQt : public CAnnonceTravailLong {
public:
    // A long operation starts, its window belonging to `parent`.
    void commencer(QWidget* parent) override;
    void terminer() override;

    // Delay before a print's progress window appears (milliseconds).
    int delaiAffichage = 400;
};
