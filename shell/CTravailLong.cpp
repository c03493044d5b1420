#include "shell/CTravailLong.h"

#include "shell/CSuiviCaptureQt.h"

int CTravailLong::profondeur_ = 0;

CTravailLong::CTravailLong(CSuiviCaptureQt& suivi, QWidget* fenetre) : suivi_(suivi)
{
    if (profondeur_++ == 0)
        suivi_.commencer(fenetre);
}

CTravailLong::~CTravailLong()
{
    if (--profondeur_ == 0)
        suivi_.terminer();
}
