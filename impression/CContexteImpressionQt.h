#pragma once
// The print device over a QPainter: one unit is one pixel of the device measured (a
// printer, a PDF writer). The painter draws on that device, or on a preview page whose
// painter maps the measured device's pixels onto it.

#include <QFont>
#include <QPainter>

#include "model/CContexteImpression.h"

class CContexteImpressionQt : public CContexteImpression {
public:
    // `peintre` must stay active on its device for the life of this context; the page
    // and the font are measured on that device.
    explicit CContexteImpressionQt(QPainter& peintre);
    // The page and the font measured on `mesure` (the printer a preview shows), the
    // drawing on `peintre`, whose device has the same resolution.
    CContexteImpressionQt(QPainter& peintre, const QPaintDevice& mesure);

    int resolutionVerticale() const override;
    int tailleVerticaleMm() const override;

    void selectionnerPolice() override;
    void restaurerPolice() override;
    int hauteurCaractere() const override;
    int largeurTexte(const std::string& texte) const override;

    void ecrire(int x, int y, const std::string& texte) override;
    void ecrireADroite(int x, int y, const std::string& texte) override;
    void tracerLigneHorizontale(int x1, int x2, int y) override;

private:
    // The painter's font as the measured device sets it.
    QFontMetrics mesures() const;

    QPainter& peintre_;
    const QPaintDevice& mesure_;
    // 10-point "Arial", sized for the device's resolution. With fonts-liberation2
    // installed Fontconfig gives Liberation Sans, which has Arial's metrics.
    QFont police_;
    QFont precedente_;
};
