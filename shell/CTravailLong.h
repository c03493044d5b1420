#pragma once
// The span of a command that may capture (new query, update, update all, modified
// query): captures report to the progress window, and no other command runs
// meanwhile. Always on the stack, around the call into the catalogue.

class CSuiviCaptureQt;
class QWidget;

class CTravailLong {
public:
    CTravailLong(CSuiviCaptureQt& suivi, QWidget* fenetre);
    ~CTravailLong();
    CTravailLong(const CTravailLong&) = delete;
    CTravailLong& operator=(const CTravailLong&) = delete;

    // True while some long operation runs.
    static bool enCours() { return profondeur_ > 0; }

private:
    CSuiviCaptureQt& suivi_;
    static int profondeur_;
};
