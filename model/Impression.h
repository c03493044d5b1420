#pragma once
// Printing a catalogue: a numbered list of the full paths of all its file entries,
// one per line, under a header line on every page. The arithmetic lives here, the
// drawing goes through a CContexteImpression, so any device (printer, preview, PDF)
// lays the pages out alike.

#include <cstdint>
#include <optional>
#include <string>

#include "model/CContexteImpression.h"
#include "model/CListeElements.h"

class CDoc;
class CFichier;

// Assumed when a device cannot tell the height of its page: the A4 height.
inline constexpr int kHauteurPageParDefautMm = 297;

// A print job, from one commencerImpression() to the next.
struct STravailImpression {
    // Every file entry of the document, in print order (not owned). Valid only while
    // no capture or deletion changes the document: every commencerImpression()
    // rebuilds it.
    CListeElements<CFichier> liste;
    int px = 0;   // device pixels per millimetre
    int h = 0;    // line height in pixels: the print font's character height
    int n = 0;    // lines per page
    // From the line numbers to the paths, in pixels: 10 mm, or what the widest line
    // number of the job needs when it is wider.
    int colonneChemin = 0;
    std::uint32_t premierePage = 1;
    std::uint32_t dernierePage = 0;   // 0: nothing to print

    std::uint32_t nombrePages() const { return dernierePage - premierePage + 1; }

};

// The lines of one page: zero-based positions in the job's list, `fin` excluded.
struct SLignesPage {
    std::uint32_t debut = 0;
    std::uint32_t fin = 0;
};

// Pixels per millimetre of the device, at least 1.
int pixelsParMillimetre(const CContexteImpression& dc);

// Collects the document's file entries and measures the device. nullopt on success;
// a French message when the device cannot lay out a single line (the job is then
// left empty, with the page range 1 to 0).
std::optional<std::string> commencerImpression(CDoc& doc, CContexteImpression& dc,
                                               STravailImpression& travail);

// The page breaks, without drawing: the lines page `page` (from 1) holds; none for a
// page outside the job's range.
SLignesPage lignesDePage(const STravailImpression& travail, std::uint32_t page);

// Draws page `page` (from 1) of the job in `rect`, the page's drawing rectangle in
// device pixels. A page outside the job's range draws nothing.
void imprimerPage(const CDoc& doc, CContexteImpression& dc, const STravailImpression& travail,
                  std::uint32_t page, SRectangle rect);
