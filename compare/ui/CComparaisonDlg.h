#pragma once
// The comparison results window (151): a results window whose title and legends name
// the two queries compared last; untitled until a comparison runs.

#include "ui/CResultatsDlg.h"

class CComparaisonDlg : public CResultatsDlg {
    Q_OBJECT
public:
    CComparaisonDlg(const QIcon& icone, const QList<QIcon>& imagesTri, QWidget* parent);
};
