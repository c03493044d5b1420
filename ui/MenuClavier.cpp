#include "ui/MenuClavier.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace {

class CFiltreShiftF10 : public QObject {
public:
    explicit CFiltreShiftF10(QAbstractItemView& vue) : QObject(&vue), vue_(vue) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet != &vue_ || evenement->type() != QEvent::KeyPress)
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() != Qt::Key_F10 || touche->modifiers() != Qt::ShiftModifier)
            return false;
        // At the current row, or at the top of an empty view.
        QWidget* zone = vue_.viewport();
        const QRect ligne = vue_.visualRect(vue_.currentIndex());
        const QPoint position = ligne.isValid() ? ligne.center() : QPoint(1, 1);
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, position, zone->mapToGlobal(position));
        QCoreApplication::sendEvent(zone, &menu);
        return true;
    }

private:
    QAbstractItemView& vue_;
};

} // namespace

void ouvrirMenuParShiftF10(QAbstractItemView& vue)
{
    vue.installEventFilter(new CFiltreShiftF10(vue));
}
