#pragma once
// What the interface sees while a search or a comparison runs as a job. The job's
// thread waits, before its pass, until the interface thread has handled an event
// posted after the job started: proof that the windows stay live. Asked to cancel,
// the probe waits for the progress window and presses "Annuler" before letting the
// pass go, so that the pass stops at its first pulse.

#include <atomic>
#include <chrono>
#include <thread>

#include <QApplication>
#include <QCursor>
#include <QTimer>

#include "dialogs/CDialogueProgression.h"
#include "model/Pouls.h"
#include "shell/CApp.h"
#include "shell/CExecuteurTravauxQt.h"
#include "ui/CTravailLong.h"

class CSondeTravailLong {
public:
    CSondeTravailLong(CApp& app, const CDoc& document, bool annuler) : app_(app)
    {
        app.travaux().delaiAffichage = 0;
        app.travaux().calculDesTests = [this](SAvancement&) {
            for (int i = 0; i < 2000 && !libre_.load(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
        QObject::connect(&minuterie_, &QTimer::timeout, [this, &document, annuler] {
            if (app_.travaux().nombre() == 0 || libre_.load())
                return;
            ++tours;
            const QCursor* c = QApplication::overrideCursor();
            occupe = c && c->shape() == Qt::BusyCursor && CTravailLong::occupe(&document);
            if (!annuler) {
                libre_ = true;
            } else if (CDialogueProgression* d = app_.travaux().dialogue()) {
                titre = d->windowTitle();
                static_cast<QDialog*>(d)->reject();   // "Annuler"
                libre_ = true;
            }
        });
        minuterie_.start(1);
    }
    ~CSondeTravailLong() { app_.travaux().calculDesTests = {}; }

    int tours = 0;        // events handled while the job ran
    bool occupe = false;  // then: the busy cursor, the document held
    QString titre;        // the progress window's, when cancelled

private:
    CApp& app_;
    QTimer minuterie_;
    std::atomic<bool> libre_{false};
};
