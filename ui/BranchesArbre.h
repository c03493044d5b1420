#pragma once
// The connecting lines and expand buttons of a catalogue tree, the same in every style
// the program may run with: the document windows' tree and the compare wizard's draw
// them alike.

class QModelIndex;
class QPainter;
class QRect;
class QTreeView;

// What QTreeView::drawBranches paints for `index` of `vue` in `rect`: dotted lines
// from the item to its siblings and its parent, and a small box with "+" or "-" on
// an item that has children.
void dessinerBranches(const QTreeView& vue, QPainter& peintre, const QRect& rect, const QModelIndex& index);
