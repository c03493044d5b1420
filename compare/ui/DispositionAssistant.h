#pragma once
// What the steps of the compare wizard share of their look: the same size, and the
// back and next buttons side by side at the bottom right.

class QDialog;
class QHBoxLayout;
class QPushButton;

// The back button (2) then the next one (1), the dialog's default, in a row pushed to
// the right.
QHBoxLayout* rangeeBoutonsAssistant(QPushButton& precedent, QPushButton& suivant);

// 186 × 188 dialog units, or more if the controls need it. Fixed, or with
// `agrandissable` a least size the user may widen (for long query names).
void fixerTailleAssistant(QDialog& dialogue, bool agrandissable = false);
