#include "ui/BranchesArbre.h"

#include <QPainter>
#include <QTreeView>

namespace {

void ligneVerticale(QPainter& p, int x, int y1, int y2)
{
    // One dot in two, the dots aligned on even rows whatever the item's position.
    for (int y = y1 + ((y1 & 1) ? 1 : 0); y <= y2; y += 2)
        p.drawPoint(x, y);
}

void ligneHorizontale(QPainter& p, int x1, int x2, int y)
{
    for (int x = x1 + ((x1 & 1) ? 1 : 0); x <= x2; x += 2)
        p.drawPoint(x, y);
}

} // namespace

void dessinerBranches(const QTreeView& vue, QPainter& p, const QRect& rect, const QModelIndex& index)
{
    const int largeur = vue.indentation();
    const QPalette& palette = vue.palette();
    const QColor trait = palette.color(QPalette::Mid);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(trait, 0));

    // The item's own column, right next to its label.
    QRect colonne(rect.right() + 1 - largeur, rect.top(), largeur, rect.height());
    const int cx = colonne.left() + largeur / 2;
    const int cy = colonne.top() + colonne.height() / 2;
    const bool aSuivant = index.sibling(index.row() + 1, 0).isValid();
    const bool premierALaRacine = !index.parent().isValid() && index.row() == 0;
    ligneVerticale(p, cx, premierALaRacine ? cy : colonne.top(), aSuivant ? colonne.bottom() : cy);
    ligneHorizontale(p, cx, colonne.right() - 2, cy);

    if (vue.model()->hasChildren(index)) {
        const QRect boite(cx - 4, cy - 4, 8, 8);
        p.fillRect(boite, palette.color(QPalette::Base));
        p.setPen(QPen(palette.color(QPalette::Dark), 0));
        p.drawRect(boite);
        p.setPen(QPen(palette.color(QPalette::Text), 0));
        p.drawLine(cx - 2, cy, cx + 2, cy);
        if (!vue.isExpanded(index))
            p.drawLine(cx, cy - 2, cx, cy + 2);
        p.setPen(QPen(trait, 0));
    }

    // The columns of the ancestors: a line goes on down where an ancestor has a
    // sibling below it.
    for (QModelIndex a = index.parent(); a.isValid(); a = a.parent()) {
        colonne.translate(-largeur, 0);
        if (a.sibling(a.row() + 1, 0).isValid())
            ligneVerticale(p, colonne.left() + largeur / 2, colonne.top(), colonne.bottom());
    }
    p.restore();
}
