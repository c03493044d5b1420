#include "impression/CContexteImpressionQt.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QString>

CContexteImpressionQt::CContexteImpressionQt(QPainter& peintre)
    : peintre_(peintre), police_(QFont(QStringLiteral("Arial"), 10), peintre.device())
{
}

int CContexteImpressionQt::resolutionVerticale() const
{
    return peintre_.device()->height();
}

int CContexteImpressionQt::tailleVerticaleMm() const
{
    return peintre_.device()->heightMM();
}

void CContexteImpressionQt::selectionnerPolice()
{
    precedente_ = peintre_.font();
    peintre_.setFont(police_);
}

void CContexteImpressionQt::restaurerPolice()
{
    peintre_.setFont(precedente_);
}

int CContexteImpressionQt::hauteurCaractere() const
{
    return peintre_.fontMetrics().height();
}

// QPainter places a text by its baseline; the callers give the top of the line.
void CContexteImpressionQt::ecrire(int x, int y, const std::string& texte)
{
    peintre_.drawText(x, y + peintre_.fontMetrics().ascent(), QString::fromUtf8(texte));
}

void CContexteImpressionQt::ecrireADroite(int x, int y, const std::string& texte)
{
    const QString s = QString::fromUtf8(texte);
    const QFontMetrics mesures = peintre_.fontMetrics();
    peintre_.drawText(x - mesures.horizontalAdvance(s), y + mesures.ascent(), s);
}

void CContexteImpressionQt::tracerLigneHorizontale(int x1, int x2, int y)
{
    peintre_.drawLine(x1, y, x2, y);
}
