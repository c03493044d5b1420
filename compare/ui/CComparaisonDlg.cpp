#include "compare/ui/CComparaisonDlg.h"

CComparaisonDlg::CComparaisonDlg(const QIcon& icone, QWidget* parent) : CResultatsDlg(151, QString(), icone, parent)
{
}
