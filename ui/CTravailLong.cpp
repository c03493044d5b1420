#include "ui/CTravailLong.h"

#include <algorithm>

int CTravailLong::profondeur_ = 0;
std::vector<const CDoc*> CTravailLong::occupes_;

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

void CTravailLong::liberer(const CDoc* document)
{
    const auto it = std::find(occupes_.begin(), occupes_.end(), document);
    if (it != occupes_.end())
        occupes_.erase(it);
}

bool CTravailLong::occupe(const CDoc* document)
{
    return document && std::find(occupes_.begin(), occupes_.end(), document) != occupes_.end();
}
