#pragma once
// The last step of the compare wizard (dialog 113): the values the comparison looks
// at. At each display every value both queries store is checked, the others are
// unchecked and greyed; "&Nom" stays checked and greyed when no other value is
// available. The choices are not kept from one display to the next.

#include <array>

#include <QDialog>

#include "compare/OptionsComparaison.h"

class CChoixRequetesDlg;
class QCheckBox;
class QPushButton;

class CChampsDlg : public QDialog {
    Q_OBJECT
public:
    // The two queries are the ones `choix` holds when this dialog is shown.
    CChampsDlg(const CChoixRequetesDlg& choix, QWidget* parent);

    // What "Terminer" read from the boxes.
    const SOptionsComparaison& options() const { return options_; }

    // The boxes in the order of the options: name, creation, modification, access,
    // size, attributes.
    QCheckBox& caseChamp(int rang) const { return *cases_.at(rang); }
    QPushButton& boutonPrecedent() const { return *precedent_; }
    QPushButton& boutonTerminer() const { return *terminer_; }

    // "Terminer".
    void accept() override;

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    void preparer();

    const CChoixRequetesDlg& choix_;
    std::array<QCheckBox*, 6> cases_{};
    QPushButton* precedent_;
    QPushButton* terminer_;
    SOptionsComparaison options_;
};
