#pragma once
// A dialog whose contents never change size: a title bar with a close button only (no
// minimise or maximise button, no resizable frame) and the size of its layout, at
// least `minimum`, widened so that the whole title shows.

#include <QSize>

class QDialog;

void fixerDialogue(QDialog& dialogue, QSize minimum = {});
