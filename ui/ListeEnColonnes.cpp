#include "ui/ListeEnColonnes.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

void configurerListeEnColonnes(QTreeView& vue)
{
    vue.setRootIsDecorated(false);
    vue.setItemsExpandable(false);
    vue.setUniformRowHeights(true);
    vue.setAllColumnsShowFocus(true);
    vue.setSelectionBehavior(QAbstractItemView::SelectRows);
    vue.setSelectionMode(QAbstractItemView::SingleSelection);
    vue.setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* entete = vue.header();
    entete->setSectionsMovable(true);
    entete->setFirstSectionMovable(true);
    entete->setSectionsClickable(true);
    entete->setStretchLastSection(false);
    entete->setSortIndicatorShown(false);
    entete->setHighlightSections(false);
}

int largeurTitreAvecFleche(const QHeaderView& entete, const QString& titre)
{
    // Measured bold, as the header measures its sections: some styles show the title so.
    QFont gras = entete.font();
    gras.setBold(true);
    const QStyle* style = entete.style();
    const int marge = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &entete);
    return QFontMetrics(gras).horizontalAdvance(titre) +
           style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &entete) + 2 * marge;
}
