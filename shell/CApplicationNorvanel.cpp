#include "shell/CApplicationNorvanel.h"

#include <cstdio>

#include "ui/CSignalementErreurs.h"

CApplicationNorvanel::CApplicationNorvanel(int& argc, char** argv) : QApplication(argc, argv) {}

bool CApplicationNorvanel::notify(QObject* destinataire, QEvent* evenement)
{
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (...) {
        const std::exception_ptr e = std::current_exception();
        if (signalement_)
            signalement_->signalerEchec("L'opération en cours", e);
        else
            std::fputs("norvanel : l'opération en cours n'a pas abouti\n", stderr);
        return false;
    }
}
