#include "ui/InfobulleTexteCoupe.h"

#include <algorithm>

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <QTreeView>

namespace {

// The width of `zone` that the user sees in `fenetre`, which may show only part of it.
int largeurVisible(const QRect& zone, const QWidget& fenetre)
{
    return std::max(0, std::min(zone.right(), fenetre.width() - 1) - std::max(zone.left(), 0) + 1);
}

class CInfobulleTexteCoupe : public QObject {
public:
    explicit CInfobulleTexteCoupe(QAbstractItemView& vue) : QObject(&vue), vue_(vue) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::ToolTip)
            return false;
        auto* aide = static_cast<QHelpEvent*>(evenement);
        QString texte;
        if (objet == vue_.viewport()) {
            const QModelIndex i = vue_.indexAt(aide->pos());
            if (i.isValid() && i.data(Qt::ToolTipRole).isValid())
                return false; // the model's own tooltip
            texte = texteCoupeCellule(i);
        } else if (auto* entete = enTete(); entete && objet == entete->viewport()) {
            texte = texteCoupeEnTete(*entete, entete->logicalIndexAt(aide->pos()));
        } else {
            return false;
        }
        if (texte.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(aide->globalPos(), texte, static_cast<QWidget*>(objet));
        return true;
    }

private:
    QHeaderView* enTete() const
    {
        auto* arbre = qobject_cast<QTreeView*>(&vue_);
        return arbre && !arbre->isHeaderHidden() ? arbre->header() : nullptr;
    }

    QString texteCoupeCellule(const QModelIndex& i) const
    {
        const QString texte = i.data(Qt::DisplayRole).toString();
        QAbstractItemDelegate* delegue = i.isValid() ? vue_.itemDelegateForIndex(i) : nullptr;
        if (texte.isEmpty() || !delegue)
            return {};
        // What the delegate needs to show it whole (icon and margins included) against
        // what the column and the pane leave it.
        QStyleOptionViewItem option;
        option.initFrom(vue_.viewport());
        option.font = vue_.font();
        option.fontMetrics = vue_.fontMetrics();
        const int icone = vue_.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &vue_);
        option.decorationSize = vue_.iconSize().isValid() ? vue_.iconSize() : QSize(icone, icone);
        option.textElideMode = Qt::ElideNone;
        const int besoin = delegue->sizeHint(option, i).width();
        return besoin > largeurVisible(vue_.visualRect(i), *vue_.viewport()) ? texte : QString();
    }

    QString texteCoupeEnTete(const QHeaderView& entete, int section) const
    {
        if (section < 0 || !entete.model())
            return {};
        const QString texte = entete.model()->headerData(section, entete.orientation()).toString();
        if (texte.isEmpty())
            return {};
        const int marge = entete.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &entete);
        int besoin = entete.fontMetrics().horizontalAdvance(texte) + 2 * marge;
        if (entete.model()->headerData(section, entete.orientation(), Qt::DecorationRole).isValid())
            besoin += entete.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &entete) + marge;
        const QRect zone(entete.sectionViewportPosition(section), 0, entete.sectionSize(section), entete.height());
        return besoin > largeurVisible(zone, *entete.viewport()) ? texte : QString();
    }

    QAbstractItemView& vue_;
};

} // namespace

void montrerTexteCoupeEnInfobulle(QAbstractItemView& vue)
{
    auto* filtre = new CInfobulleTexteCoupe(vue);
    vue.viewport()->installEventFilter(filtre);
    if (auto* arbre = qobject_cast<QTreeView*>(&vue))
        arbre->header()->viewport()->installEventFilter(filtre);
}
