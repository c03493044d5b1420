#pragma once
// The print device over a QPainter: one unit is one pixel of the painter's device
// (a printer, a preview page, a PDF writer).

#include <QFont>
#include <QPainter>

#include "model/CContexteImpression.h"

class CContexteImpressionQt : public CContexteImpression {
public:
    // `peintre` must stay active on its device for the life of this context.
    explicit CContexteImpressionQt(QPainter& peintre);

    int resolutionVerticale() const override;
    int tailleVerticaleMm() const override;

    void selectionnerPolice() override;
    void restaurerPolice() override;
    int hauteurCaractere() const override;

    void ecrire(int x, int y, const std::string& texte) override;
    void ecrireADroite(int x, int y, const std::string& texte) override;
    void tracerLigneHorizontale(int x1, int x2, int y) override;

private:
    QPainter& peintre_;
    // 10-point "Arial", sized for the device's resolution. With fonts-liberation2
    // installed Fontconfig gives Liberation Sans, which has Arial's metrics.
    QFont police_;
    QFont precedente_;
};
