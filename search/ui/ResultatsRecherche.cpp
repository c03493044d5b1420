#include "search/ui/ResultatsRecherche.h"

#include "ui/CResultatsDlg.h"

CResultatsDlg* creerResultatsRecherche(const QIcon& icone, QWidget* parent)
{
    return new CResultatsDlg(111, QStringLiteral("Résultats de la recherche"), icone, parent);
}
