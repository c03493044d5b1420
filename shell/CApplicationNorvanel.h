#pragma once
// The window program's Qt application: an exception that a handler of ours let out of
// an event (a slot, a timer, a click) stops there, is told to the user and the program
// goes on, rather than ending the program and losing every unsaved document. The
// commands catch theirs first, where they can put back what they began; this is for
// the rest.

#include <QApplication>

class CSignalementErreurs;

class CApplicationNorvanel : public QApplication {
    Q_OBJECT
public:
    CApplicationNorvanel(int& argc, char** argv);

    bool notify(QObject* destinataire, QEvent* evenement) override;

    // Where the failures are told (the application object's), or none: then on the
    // standard error.
    void definirSignalement(CSignalementErreurs* signalement) { signalement_ = signalement; }

private:
    CSignalementErreurs* signalement_ = nullptr;
};
