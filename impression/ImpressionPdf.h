#pragma once
// Printing a catalogue to a PDF file: A4 pages at 600 dpi, laid out as on a printer.

#include <optional>
#include <string>

class CDoc;

// Writes the printed pages of `doc` to `cheminPdf`. nullopt on success; otherwise a
// French message, and no file is written or replaced (a catalogue without file
// entries has no page to print and is refused the same way).
//
// Needs a QGuiApplication for its fonts; when there is no Qt application at all (a
// command-line tool), one is made for the length of the call, on the offscreen
// platform, so no display is needed.
[[nodiscard]] std::optional<std::string> imprimerEnPdf(CDoc& doc, const std::string& cheminPdf);
