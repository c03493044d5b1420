#pragma once
// Answers the modal dialogs a test provokes (message boxes, file dialogs), as a user
// would, while the code under test waits in the dialog's event loop; records what
// each message box said.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QDialog;

class CRepondeur : public QObject {
public:
    struct SBoite {
        QString titre;
        QString texte;
        QMessageBox::Icon icone;
        QStringList boutons;   // texts of the buttons, left to right as laid out
    };

    CRepondeur();
    ~CRepondeur() override;

    // The next message boxes are answered with these buttons, in order; once they are
    // used up, a box is answered with its default button and counted as unexpected.
    std::deque<QMessageBox::StandardButton> reponses;
    // The next folder or file dialogs are answered with these paths (empty: cancel).
    std::deque<QString> chemins;
    // Any other modal dialog is handed here, when set (the progress window is left
    // alone otherwise).
    std::function<void(QDialog&)> autreDialogue;

    std::vector<SBoite> boites;
    int inattendues = 0;

private:
    void examiner();
    QTimer minuterie_;
};
