#pragma once
// Shift+F10 opens a view's context menu, as the Menu key does. Qt maps only the Menu
// key to a context-menu event; the other key every desktop user knows is mapped here,
// at the current row so that the menu acts on it.

class QAbstractItemView;

void ouvrirMenuParShiftF10(QAbstractItemView& vue);
