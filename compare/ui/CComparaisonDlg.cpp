#include "compare/ui/CComparaisonDlg.h"

CComparaisonDlg::CComparaisonDlg(const QIcon& icone, const QList<QIcon>& imagesTri, QWidget* parent)
    : CResultatsDlg(151, QString(), icone, imagesTri, parent)
{
}
