#pragma once
// A results window: the search results (111) and the base of the comparison results
// (151). Modeless, owned by the main window, created hidden at start-up and kept for
// the whole run; closing it only hides it. Its rows arrive with the search and
// comparison windows.

#include <QDialog>

class CResultatsDlg : public QDialog {
    Q_OBJECT
public:
    // `id`: 111 or 151, the window's number and its icon's.
    CResultatsDlg(int id, const QString& titre, const QIcon& icone, QWidget* parent);

    int id() const { return id_; }

private:
    int id_;
};
