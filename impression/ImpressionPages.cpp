#include "impression/ImpressionPages.h"

#include <algorithm>

#include <QPagedPaintDevice>

#include "model/Impression.h"
#include "impression/CContexteImpressionQt.h"
#include "impression/CSuiviImpression.h"

std::optional<std::string> imprimerPages(CDoc& doc, QPagedPaintDevice& appareil, QPainter& peintre,
                                         SPlagePages plage, CSuiviImpression* suivi,
                                         const std::string& pageRefusee)
{
    CContexteImpressionQt dc(peintre);
    STravailImpression travail;
    if (auto erreur = commencerImpression(doc, dc, travail))
        return erreur;
    if (travail.dernierePage < travail.premierePage)
        return std::string(kAucunFichierAImprimer);

    const std::uint32_t premiere = std::max(travail.premierePage, plage.premiere);
    const std::uint32_t derniere =
        plage.derniere ? std::min(travail.dernierePage, plage.derniere) : travail.dernierePage;
    const std::uint32_t total = derniere >= premiere ? derniere - premiere + 1 : 0;
    const SRectangle page{0, 0, appareil.width(), appareil.height()};
    for (std::uint32_t p = premiere; p <= derniere && p >= premiere; ++p) {
        if (p != premiere && !appareil.newPage())
            return pageRefusee;
        imprimerPage(doc, dc, travail, p, page);
        if (suivi && !suivi->pagesImprimees(p - premiere + 1, total))
            return std::string(kImpressionAnnulee);
    }
    return std::nullopt;
}
