#pragma once
// The read-only properties of a binder, a query or a folder: the volume its snapshot
// came from (not for a binder) and the number of folders, files and bytes beneath it.

#include <QDialog>

struct SProprietes;

class CProprietesDlg : public QDialog {
    Q_OBJECT
public:
    // The value texts are named "valeur1071" (volume name) to "valeur1075" (total size).
    CProprietesDlg(const SProprietes& proprietes, QWidget* parent);
};
