#pragma once
// A cell or a column header whose text the view cuts (elided, or beyond the visible
// part of a pane that scrolls sideways) shows its whole text in a tooltip; a text
// that fits shows none. Cells that bring their own tooltip keep it.

class QAbstractItemView;

void montrerTexteCoupeEnInfobulle(QAbstractItemView& vue);
