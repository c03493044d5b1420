#include "model/MarquesSauvees.h"

#include "model/CDossier.h"
#include "model/CFichier.h"

namespace {

// Every file beneath `d`, in one fixed order: the folder's own, then each sub-folder's.
template <class F>
void pourChaqueFichier(CDossier& d, F&& f)
{
    for (CFichier* x : d.fichiers())
        f(*x);
    for (CDossier* s : d.sousDossiers())
        pourChaqueFichier(*s, f);
}

} // namespace

void CMarquesSauvees::relever(CDossier& dossier)
{
    dossiers_.push_back(&dossier);
    pourChaqueFichier(dossier, [this](CFichier& f) { marques_.push_back(f.marque); });
}

void CMarquesSauvees::retablir()
{
    std::size_t i = 0;
    for (CDossier* d : dossiers_)
        pourChaqueFichier(*d, [&](CFichier& f) { f.marque = marques_[i++]; });
}
