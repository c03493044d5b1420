#pragma once
// A results window (search results 111, comparison results 151): modeless, owned by
// the main window, created hidden at start-up and kept for the whole run; closing it
// only hides it. Its list arrives with the search and comparison windows.

#include <QDialog>

class CFenetreResultats : public QDialog {
    Q_OBJECT
public:
    // `id`: 111 or 151, the window's number and its icon's.
    CFenetreResultats(int id, const QString& titre, const QIcon& icone, QWidget* parent);

    int id() const { return id_; }

private:
    int id_;
};
