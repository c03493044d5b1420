#pragma once
// Progress of the captures started from the windows: a modal progress window,
// updated each time the capture reports, which keeps the program responsive and lets
// the user cancel. It appears only when a capture lasts, so short ones do not flash.

#include <memory>

#include <QElapsedTimer>

#include "capture/CSuiviCapture.h"
#include "ui/CTravailLong.h"

class CDialogueProgression;

class CSuiviCaptureQt : public CSuiviCapture, public CAnnonceTravailLong {
public:
    CSuiviCaptureQt();
    ~CSuiviCaptureQt() override;

    // A long operation starts, its window belonging to `parent`; until terminer(),
    // captures report here. Outside such an operation reports are ignored.
    void commencer(QWidget* parent) override;
    void terminer() override;
    bool estActif() const { return actif_; }

    bool progression(const SProgressionCapture& etat) override;
    // The capture waits for its threads: the windows repaint, and the progress window,
    // once shown, takes its clicks (Annuler is read at the next report).
    void patienter() override;
    // A search or a duplicate pass goes on (CUtilisateur::travailEnCours): past
    // delaiCurseur the busy cursor shows until the operation ends, and the windows
    // repaint; what the user types or clicks waits. Outside a long operation, nothing.
    void travailEnCours();

    // The progress window, while it is on screen; for the tests.
    CDialogueProgression* dialogue() const { return dialogue_.get(); }
    // Delay before the window appears (milliseconds).
    int delaiAffichage = 400;
    // Delay before a search shows the busy cursor (milliseconds).
    int delaiCurseur = 300;

private:
    bool actif_ = false;
    bool annule_ = false;
    bool premierAppel_ = false;
    bool curseurOccupe_ = false;
    QWidget* parent_ = nullptr;
    QElapsedTimer chrono_;
    QElapsedTimer dernierAffichage_;
    std::unique_ptr<CDialogueProgression> dialogue_;
};
