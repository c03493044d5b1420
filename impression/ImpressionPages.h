#pragma once
// The page loop shared by the printer and the PDF file: the job begun on the device,
// then each page of the chosen range drawn on a page of its own.

#include <cstdint>
#include <optional>
#include <string>

class CDoc;
class CSuiviImpression;
class QPagedPaintDevice;
class QPainter;

// Said of a catalogue without file entries: it has no page.
inline constexpr const char* kAucunFichierAImprimer = "Le catalogue ne contient aucun fichier à imprimer.";
// Said when the one who watches the job stopped it.
inline constexpr const char* kImpressionAnnulee = "L'impression a été annulée.";

struct SPlagePages {
    std::uint32_t premiere = 0;   // 0: from the first page
    std::uint32_t derniere = 0;   // 0: to the last page
};

// Prints the pages of `doc` that `plage` keeps on `appareil`, where `peintre` is
// active. nullopt when every page was drawn; otherwise a French message (no file
// entry, a page the device refuses, saying `pageRefusee`, or kImpressionAnnulee when
// `suivi` stopped the job). The painter is left active either way.
[[nodiscard]] std::optional<std::string> imprimerPages(CDoc& doc, QPagedPaintDevice& appareil, QPainter& peintre,
                                                       SPlagePages plage, CSuiviImpression* suivi,
                                                       const std::string& pageRefusee);
