#pragma once
// The report-style lists of the program (a document's list pane, the result windows):
// flat rows selected whole, one at a time, no editing; headers that sort on a click
// and move by dragging, with the program's own sort arrows instead of Qt's indicator;
// the keyboard bringing the focus to one gives it a selected row.

class QHeaderView;
class QString;
class QTreeView;

void configurerListeEnColonnes(QTreeView& vue);

// How wide a column must be for its whole title and the sort arrow beside it.
int largeurTitreAvecFleche(const QHeaderView& entete, const QString& titre);
