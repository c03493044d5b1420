#pragma once
// What a print preview shows: pages laid out once, each drawn only when it is shown.

#include <cstdint>

#include <QSize>

class QPainter;

class CPagesApercu {
public:
    virtual ~CPagesApercu() = default;

    virtual std::uint32_t nombrePages() const = 0;
    // The sheet, in pixels of the printer, and the printer's resolution (dots per inch).
    virtual QSize taillePapier() const = 0;
    virtual int resolution() const = 0;
    // Draws page `page` (from 1) on `peintre`, whose unit is one pixel of the printer
    // from the sheet's top left corner, on a device of the printer's resolution.
    virtual void dessinerPage(QPainter& peintre, std::uint32_t page) = 0;
};
