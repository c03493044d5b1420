#pragma once
// The status bar: the message pane ("Prêt" when idle, a command's prompt while its
// menu item or button is under the pointer), then the caps-lock "MAJ" and num-lock
// "NUM" indicators, shown while the key is on.

#include <QStatusBar>

class QLabel;

class CBarreEtat : public QStatusBar {
    Q_OBJECT
public:
    explicit CBarreEtat(QWidget* parent);

    // What the message pane shows now.
    QString texteMessage() const;
    QString texteMajuscules() const;
    QString texteNumerique() const;
    void actualiserVerrous();

private:
    QLabel* pret_;
    QLabel* majuscules_;
    QLabel* numerique_;
};
