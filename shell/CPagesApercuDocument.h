#pragma once
// The pages of a catalogue for the print preview, laid out on the printer chosen: the
// page count comes from the layout, without drawing; each page is drawn on demand.

#include <optional>
#include <string>

#include "model/Impression.h"
#include "ui/CPagesApercu.h"

class CDoc;
class QPrinter;

class CPagesApercuDocument : public CPagesApercu {
public:
    // Both must outlive this object; the document must not change meanwhile (the
    // preview is modal).
    CPagesApercuDocument(CDoc& doc, QPrinter& imprimante);

    // Lays the pages out on the printer as it is set now. nullopt, or a French message
    // (no file to print, a font without height) and no page.
    std::optional<std::string> preparer();

    std::uint32_t nombrePages() const override;
    QSize taillePapier() const override;
    int resolution() const override;
    void dessinerPage(QPainter& peintre, std::uint32_t page) override;

private:
    CDoc& doc_;
    QPrinter& imprimante_;
    STravailImpression travail_;
};
