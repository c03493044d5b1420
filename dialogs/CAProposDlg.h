#pragma once
// The about box: the program's icon, its name and version, and OK.

#include <QDialog>

class QIcon;

class CAProposDlg : public QDialog {
    Q_OBJECT
public:
    CAProposDlg(const QIcon& icone, QWidget* parent);
};
