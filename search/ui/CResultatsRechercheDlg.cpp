#include "search/ui/CResultatsRechercheDlg.h"

#include "model/CContexte.h"

CResultatsRechercheDlg::CResultatsRechercheDlg(const QIcon& icone, const QList<QIcon>& imagesTri, QWidget* parent)
    : CResultatsDlg(111, QStringLiteral("Résultats de la recherche"), icone, imagesTri, parent)
{
    contexte().resultatsRecherche = this;
}

CResultatsRechercheDlg::~CResultatsRechercheDlg()
{
    // Before the rows go: a file destroyed later must not reach them.
    if (contexte().resultatsRecherche == this)
        contexte().resultatsRecherche = nullptr;
}
