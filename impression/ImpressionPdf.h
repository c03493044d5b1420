#pragma once
// Printing a catalogue to a PDF file: A4 pages at 600 dpi, laid out as on a printer.

#include <cstdint>
#include <optional>
#include <string>

#include <QPageLayout>

class CDoc;
class CSuiviImpression;

// What the print dialog chose, for a PDF it writes; by default A4 at 600 dpi, every page.
struct SMiseEnPagePdf {
    QPageLayout page{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
    int resolution = 600;
    std::uint32_t premiere = 0, derniere = 0;  // a range of pages, 0 for no limit
};

// Writes the printed pages of `doc` to `cheminPdf`. nullopt on success; otherwise a
// French message, and no file is written or replaced (a catalogue without file
// entries has no page to print and is refused the same way). A catalogue, this one or
// any other, is never replaced by a PDF: it is told by its content, not its name.
//
// Needs a QGuiApplication for its fonts; when there is no Qt application at all (a
// command-line tool), one is made for the length of the call, on the offscreen
// platform, so no display is needed.
//
// `suivi`, when given, is told of each page and may stop the job: the message is then
// kImpressionAnnulee, and no file is written or replaced either.
[[nodiscard]] std::optional<std::string> imprimerEnPdf(CDoc& doc, const std::string& cheminPdf,
                                                       const SMiseEnPagePdf& mise = {},
                                                       CSuiviImpression* suivi = nullptr);
