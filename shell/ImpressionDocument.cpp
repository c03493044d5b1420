#include "shell/ImpressionDocument.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "model/CDoc.h"
#include "model/CUtilisateur.h"
#include "model/Impression.h"
#include "impression/CContexteImpressionQt.h"
#include "impression/ImpressionPdf.h"
#include "ui/CheminsQt.h"

namespace {

// Pages of the job that the printer's range keeps.
std::pair<std::uint32_t, std::uint32_t> pagesAImprimer(const QPrinter& imprimante,
                                                      const STravailImpression& travail)
{
    std::uint32_t premiere = travail.premierePage, derniere = travail.dernierePage;
    if (imprimante.printRange() == QPrinter::PageRange && imprimante.fromPage() > 0) {
        premiere = std::max<std::uint32_t>(premiere, static_cast<std::uint32_t>(imprimante.fromPage()));
        if (imprimante.toPage() > 0)
            derniere = std::min<std::uint32_t>(derniere, static_cast<std::uint32_t>(imprimante.toPage()));
    }
    return {premiere, derniere};
}

void signaler(const std::string& message)
{
    utilisateur().message(message, EBoutons::Ok, EIcone::Exclamation);
}

} // namespace

std::optional<std::string> imprimerDocument(CDoc& doc, QPrinter& imprimante)
{
    // To a PDF file (not the preview, which paints on a picture engine): through the
    // safe write, which follows no planted link and replaces no catalogue.
    if (imprimante.outputFormat() == QPrinter::PdfFormat && !imprimante.outputFileName().isEmpty() &&
        imprimante.paintEngine() && imprimante.paintEngine()->type() == QPaintEngine::Pdf) {
        SMiseEnPagePdf mise{imprimante.pageLayout(), imprimante.resolution()};
        if (imprimante.printRange() == QPrinter::PageRange && imprimante.fromPage() > 0) {
            mise.premiere = static_cast<std::uint32_t>(imprimante.fromPage());
            mise.derniere = static_cast<std::uint32_t>(std::max(imprimante.toPage(), 0));
        }
        return imprimerEnPdf(doc, cheminCatalogue(imprimante.outputFileName()), mise);
    }
    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return std::string("L'imprimante ne peut pas commencer l'impression.");
    CContexteImpressionQt dc(peintre);
    STravailImpression travail;
    if (auto erreur = commencerImpression(doc, dc, travail)) {
        peintre.end();
        return erreur;
    }
    if (travail.dernierePage < travail.premierePage) {
        imprimante.abort();
        peintre.end();
        return std::string("Le catalogue ne contient aucun fichier à imprimer.");
    }
    const auto [premiere, derniere] = pagesAImprimer(imprimante, travail);
    const SRectangle page{0, 0, imprimante.width(), imprimante.height()};
    for (std::uint32_t p = premiere; p <= derniere && p >= premiere; ++p) {
        if (p != premiere && !imprimante.newPage()) {
            peintre.end();
            return std::string("L'imprimante n'a pas pu passer à la page suivante.");
        }
        imprimerPage(doc, dc, travail, p, page);
    }
    if (!peintre.end())
        return std::string("L'impression n'a pas pu être terminée.");
    return std::nullopt;
}

void imprimerAvecDialogue(CDoc& doc, QPrinter& imprimante, QWidget* parent)
{
    QPrintDialog dialogue(&imprimante, parent);
    dialogue.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialogue.exec() != QDialog::Accepted)
        return;
    if (auto erreur = imprimerDocument(doc, imprimante))
        signaler(*erreur);
}

void apercuAvantImpression(CDoc& doc, QPrinter& imprimante, int pages, QWidget* parent)
{
    QPrintPreviewDialog apercu(&imprimante, parent);
    std::optional<std::string> erreur;
    QObject::connect(&apercu, &QPrintPreviewDialog::paintRequested, &apercu,
                     [&doc, &erreur](QPrinter* p) { erreur = imprimerDocument(doc, *p); });
    if (auto* vue = apercu.findChild<QPrintPreviewWidget*>())
        vue->setViewMode(pages == 2 ? QPrintPreviewWidget::FacingPagesView
                                    : QPrintPreviewWidget::SinglePageView);
    apercu.exec();
    if (erreur)
        signaler(*erreur);
}
