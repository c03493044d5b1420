#pragma once
// Printing a catalogue from the windows: to a printer chosen in the print dialog, in
// print preview, or straight to the default printer (the command line's --print).

#include <optional>
#include <string>

class CDoc;
class QPrinter;
class QWidget;

// Prints `doc` on `imprimante` (its page range, if one was chosen). nullopt on success;
// otherwise a French message and nothing is printed.
[[nodiscard]] std::optional<std::string> imprimerDocument(CDoc& doc, QPrinter& imprimante);

// The print dialog, then the printing; a failure is shown in a message box.
void imprimerAvecDialogue(CDoc& doc, QPrinter& imprimante, QWidget* parent);

// Print preview of the same pages; `pages`: how many pages it shows side by side
// (the "PreviewPages" setting: 2 shows facing pages, anything else one page).
void apercuAvantImpression(CDoc& doc, QPrinter& imprimante, int pages, QWidget* parent);
