#pragma once
// Dialog units, in which the dialogs' sizes are given: a horizontal unit is a quarter
// of the dialog font's average character width.

#include <QFontMetrics>
#include <QWidget>

inline int pixelsHorizontaux(const QWidget& dialogue, int unites)
{
    return dialogue.fontMetrics().averageCharWidth() * unites / 4;
}

// A vertical unit is an eighth of the dialog font's height.
inline int pixelsVerticaux(const QWidget& dialogue, int unites)
{
    return dialogue.fontMetrics().height() * unites / 8;
}
