#include "impression/CContexteImpressionQt.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QString>

CContexteImpressionQt::CContexteImpressionQt(QPainter& peintre)
    : CContexteImpressionQt(peintre, *peintre.device())
{
}

CContexteImpressionQt::CContexteImpressionQt(QPainter& peintre, const QPaintDevice& mesure)
    : peintre_(peintre), mesure_(mesure),
      police_(QFont(QStringLiteral("Arial"), 10), &mesure)
{
}

int CContexteImpressionQt::resolutionVerticale() const
{
    return mesure_.height();
}

int CContexteImpressionQt::tailleVerticaleMm() const
{
    return mesure_.heightMM();
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

QFontMetrics CContexteImpressionQt::mesures() const
{
    return QFontMetrics(QFont(peintre_.font(), &mesure_));
}

int CContexteImpressionQt::hauteurCaractere() const
{
    return mesures().height();
}

int CContexteImpressionQt::largeurTexte(const std::string& texte) const
{
    return mesures().horizontalAdvance(QString::fromUtf8(texte));
}

// QPainter places a text by its baseline; the callers give the top of the line.
void CContexteImpressionQt::ecrire(int x, int y, const std::string& texte)
{
    peintre_.drawText(x, y + mesures().ascent(), QString::fromUtf8(texte));
}

void CContexteImpressionQt::ecrireADroite(int x, int y, const std::string& texte)
{
    const QString s = QString::fromUtf8(texte);
    const QFontMetrics m = mesures();
    peintre_.drawText(x - m.horizontalAdvance(s), y + m.ascent(), s);
}

void CContexteImpressionQt::tracerLigneHorizontale(int x1, int x2, int y)
{
    peintre_.drawLine(x1, y, x2, y);
}
