#include "ui/ListeEnColonnes.h"

#include <QFocusEvent>
#include <QItemSelectionModel>

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

namespace {

// A list the keyboard brings the focus to gets a selected row, as an arrow key would
// give it: Shift+F10 and the menu key then have a row to act on.
class CLigneAuFocus : public QObject {
public:
    explicit CLigneAuFocus(QTreeView& vue) : QObject(&vue), vue_(vue) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet != &vue_ || evenement->type() != QEvent::FocusIn)
            return false;
        switch (static_cast<QFocusEvent*>(evenement)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            break;
        default:
            return false;
        }
        QItemSelectionModel* selection = vue_.selectionModel();
        if (!selection || selection->hasSelection() || !vue_.model())
            return false;
        QModelIndex ligne = vue_.currentIndex();
        if (!ligne.isValid())
            ligne = vue_.model()->index(0, 0);
        if (ligne.isValid())
            selection->setCurrentIndex(ligne, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return false;
    }

private:
    QTreeView& vue_;
};

} // namespace

void configurerListeEnColonnes(QTreeView& vue)
{
    vue.installEventFilter(new CLigneAuFocus(vue));
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
