#pragma once
// Printing a catalogue from the windows: to a printer chosen in the print dialog, in
// print preview, or straight to the default printer (the command line's --print).

#include <functional>
#include <optional>
#include <string>

class CDoc;
class CImpressionsQt;
class CSuiviTravailQt;
class CSuiviImpression;
class QPrinter;
class QWidget;

// Prints `doc` on `imprimante` (its page range, if one was chosen). nullopt on success;
// otherwise a French message and nothing is printed (kImpressionAnnulee when `suivi`
// stopped the job). A printer set to a PDF file gets it through the safe write.
[[nodiscard]] std::optional<std::string> imprimerDocument(CDoc& doc, QPrinter& imprimante,
                                                          CSuiviImpression* suivi = nullptr);

// The print dialog, then the printing as a job of `impressions`, whose progress window
// (after suivi's delay) shows the pages and can cancel. Returns once the job started:
// true, and `fin` is told at its end on the interface thread, true once printed; a
// failure is shown in a message box first. False, and `fin` is not told, when the
// dialog was refused or another print runs (said).
bool imprimerAvecDialogue(CDoc& doc, QPrinter& imprimante, CImpressionsQt& impressions, const CSuiviTravailQt& suivi,
                          QWidget* parent, std::function<void(bool imprime)> fin = {});

// Print preview of the same pages, drawn as they are shown; `pages`: how many pages it
// shows side by side (the "PreviewPages" setting: 2 shows facing pages, anything else
// one page). Its print button prints as imprimerAvecDialogue().
void apercuAvantImpression(CDoc& doc, QPrinter& imprimante, int pages, CImpressionsQt& impressions,
                           const CSuiviTravailQt& suivi, QWidget* parent);
