#pragma once
// The report-style lists of the program (a document's list pane, the result windows):
// flat rows selected whole, one at a time, no editing; headers that sort on a click
// and move by dragging, with the program's own sort arrows instead of Qt's indicator.

class QTreeView;

void configurerListeEnColonnes(QTreeView& vue);
