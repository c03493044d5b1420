#include "ui/ListeEnColonnes.h"

#include <QHeaderView>
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
