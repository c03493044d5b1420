#include "ui/CEtiquetteAbregee.h"

#include <QFontMetrics>

CEtiquetteAbregee::CEtiquetteAbregee(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void CEtiquetteAbregee::definirTexte(const QString& texte)
{
    texte_ = texte;
    abreger();
}

void CEtiquetteAbregee::resizeEvent(QResizeEvent* evenement)
{
    QLabel::resizeEvent(evenement);
    abreger();
}

void CEtiquetteAbregee::abreger()
{
    const QString montre = fontMetrics().elidedText(texte_, Qt::ElideMiddle, contentsRect().width());
    if (montre != text())
        setText(montre);
    setToolTip(montre == texte_ ? QString() : texte_);
}
