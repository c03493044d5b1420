#include "ui/CTravailLong.h"

int CTravailLong::profondeur_ = 0;

CTravailLong::CTravailLong(CAnnonceTravailLong& annonce, QWidget* fenetre) : annonce_(annonce)
{
    if (profondeur_++ == 0)
        annonce_.commencer(fenetre);
}

CTravailLong::~CTravailLong()
{
    if (--profondeur_ == 0)
        annonce_.terminer();
}
