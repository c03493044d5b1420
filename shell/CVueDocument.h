#pragma once
// A view of a document, told when the document changed.

#include <qnamespace.h>

class CElement;

class CVueDocument {
public:
    virtual ~CVueDocument() = default;
    // `emetteur`: the view that caused the change, or none; `indice`: the node
    // concerned, or none.
    virtual void miseAJour(CVueDocument* emetteur, CElement* indice) = 0;
};

// True for focus the user gives a pane (a click, Tab, Shift+Tab, a shortcut), false
// for focus Qt moves by itself (a window activated, restored or maximised).
inline bool parLUtilisateur(Qt::FocusReason raison)
{
    return raison == Qt::MouseFocusReason || raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason ||
           raison == Qt::ShortcutFocusReason;
}
