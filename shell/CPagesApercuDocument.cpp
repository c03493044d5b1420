#include "shell/CPagesApercuDocument.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "model/CDoc.h"
#include "impression/CContexteImpressionQt.h"
#include "impression/ImpressionPages.h"

CPagesApercuDocument::CPagesApercuDocument(CDoc& doc, QPrinter& imprimante) : doc_(doc), imprimante_(imprimante) {}

std::optional<std::string> CPagesApercuDocument::preparer()
{
    // Measuring needs a painter, not a page: one pixel at the printer's resolution.
    QImage mesure(1, 1, QImage::Format_RGB32);
    const int pointsParMetre = qRound(resolution() / 0.0254);
    mesure.setDotsPerMeterX(pointsParMetre);
    mesure.setDotsPerMeterY(pointsParMetre);
    QPainter peintre(&mesure);
    CContexteImpressionQt dc(peintre, imprimante_);
    if (auto erreur = commencerImpression(doc_, dc, travail_))
        return erreur;
    if (travail_.dernierePage < travail_.premierePage)
        return std::string(kAucunFichierAImprimer);
    return std::nullopt;
}

std::uint32_t CPagesApercuDocument::nombrePages() const
{
    return travail_.dernierePage >= travail_.premierePage ? travail_.nombrePages() : 0;
}

QSize CPagesApercuDocument::taillePapier() const
{
    return imprimante_.paperRect(QPrinter::DevicePixel).size().toSize();
}

int CPagesApercuDocument::resolution() const
{
    return imprimante_.logicalDpiY();
}

void CPagesApercuDocument::dessinerPage(QPainter& peintre, std::uint32_t page)
{
    // The printer draws from the corner of what it can print, inside the sheet.
    const QRectF papier = imprimante_.paperRect(QPrinter::DevicePixel);
    const QRectF zone = imprimante_.pageRect(QPrinter::DevicePixel);
    peintre.save();
    peintre.translate(zone.topLeft() - papier.topLeft());
    CContexteImpressionQt dc(peintre, imprimante_);
    imprimerPage(doc_, dc, travail_, page, SRectangle{0, 0, imprimante_.width(), imprimante_.height()});
    peintre.restore();
}
