#pragma once
// What the event loop sees while a long operation runs: how many times it turned, and
// whether the busy cursor showed each time.

#include <QApplication>
#include <QCursor>
#include <QTimer>

#include "ui/CTravailLong.h"

class CSondeTravailLong {
public:
    CSondeTravailLong()
    {
        QObject::connect(&minuterie_, &QTimer::timeout, [this] {
            if (!CTravailLong::enCours())
                return;
            ++tours;
            const QCursor* c = QApplication::overrideCursor();
            occupe = occupe && c && c->shape() == Qt::BusyCursor;
        });
    }
    // At every turn of the loop from now on.
    void demarrer() { minuterie_.start(0); }
    void arreter() { minuterie_.stop(); }

    int tours = 0;
    bool occupe = true;

private:
    QTimer minuterie_;
};
