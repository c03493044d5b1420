// The tree's connecting lines and expand buttons, drawn as every catalogue tree of
// the program draws them.

#include "shell/CArboView.h"
#include "ui/BranchesArbre.h"

void CArboView::drawBranches(QPainter* peintre, const QRect& rect, const QModelIndex& index) const
{
    dessinerBranches(*this, *peintre, rect, index);
}
