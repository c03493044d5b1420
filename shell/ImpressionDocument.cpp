#include "shell/ImpressionDocument.h"

#include <algorithm>

#include <QPaintEngine>
#include <QPointer>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "model/CDoc.h"
#include "impression/ImpressionPages.h"
#include "impression/ImpressionPdf.h"
#include "dialogs/CApercuImpressionDlg.h"
#include "shell/CPagesApercuDocument.h"
#include "shell/CImpressionsQt.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/BoiteMessage.h"
#include "ui/CheminsQt.h"

namespace {

// The pages the printer's range keeps (0: no limit).
SPlagePages plageChoisie(const QPrinter& imprimante)
{
    if (imprimante.printRange() != QPrinter::PageRange || imprimante.fromPage() <= 0)
        return {};
    return {static_cast<std::uint32_t>(imprimante.fromPage()),
            static_cast<std::uint32_t>(std::max(imprimante.toPage(), 0))};
}

void signaler(QWidget* fenetre, const std::string& message)
{
    afficherMessage(fenetre, message, EBoutons::Ok, EIcone::Exclamation);
}

} // namespace

std::optional<std::string> imprimerDocument(CDoc& doc, QPrinter& imprimante, CSuiviImpression* suivi)
{
    // To a PDF file (not the preview, which paints on a picture engine): through the
    // safe write, which follows no planted link and replaces no catalogue.
    if (imprimante.outputFormat() == QPrinter::PdfFormat && !imprimante.outputFileName().isEmpty() &&
        imprimante.paintEngine() && imprimante.paintEngine()->type() == QPaintEngine::Pdf) {
        SMiseEnPagePdf mise{imprimante.pageLayout(), imprimante.resolution()};
        const SPlagePages plage = plageChoisie(imprimante);
        mise.premiere = plage.premiere;
        mise.derniere = plage.derniere;
        return imprimerEnPdf(doc, cheminCatalogue(imprimante.outputFileName()), mise, suivi);
    }
    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return std::string("L'imprimante ne peut pas commencer l'impression.");
    // Nothing, or only part of the pages, must reach the printer: the painter would
    // send what it has when it ends.
    const auto abandonner = [&] {
        imprimante.abort();
        peintre.end();
    };
    std::optional<std::string> erreur;
    try {
        erreur = imprimerPages(doc, imprimante, peintre, plageChoisie(imprimante), suivi,
                               "L'imprimante n'a pas pu passer à la page suivante.");
    } catch (...) {
        abandonner();
        throw;
    }
    if (erreur) {
        abandonner();
        return erreur;
    }
    if (!peintre.end())
        return std::string("L'impression n'a pas pu être terminée.");
    return std::nullopt;
}

bool imprimerAvecDialogue(CDoc& doc, QPrinter& imprimante, CImpressionsQt& impressions, const CSuiviTravailQt& suivi,
                          QWidget* parent, std::function<void(bool imprime)> fin)
{
    // The printer is the job's until it ends.
    if (impressions.enCours()) {
        signaler(parent, "Une impression est déjà en cours : attendez qu'elle se termine.");
        return false;
    }
    QPrintDialog dialogue(&imprimante, parent);
    dialogue.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialogue.exec() != QDialog::Accepted || impressions.enCours())
        return false;
    return impressions.lancer(doc, imprimante, parent, suivi.delaiAffichage,
                              [fin = std::move(fin), fenetre = QPointer<QWidget>(parent)](
                                  const std::optional<std::string>& erreur) {
                                  // Whoever cancelled knows it was not printed.
                                  if (erreur && *erreur != kImpressionAnnulee)
                                      signaler(fenetre.data(), *erreur);
                                  if (fin)
                                      fin(!erreur);
                              });
}

void apercuAvantImpression(CDoc& doc, QPrinter& imprimante, int pages, CImpressionsQt& impressions,
                           const CSuiviTravailQt& suivi, QWidget* parent)
{
    CPagesApercuDocument pagesDocument(doc, imprimante);
    if (auto erreur = pagesDocument.preparer()) {
        signaler(parent, *erreur);
        return;
    }
    CApercuImpressionDlg apercu(pagesDocument, pages, parent);
    // The print dialog may have changed the paper: the pages are laid out again.
    const auto relire = [&pagesDocument, &apercu] {
        if (auto erreur = pagesDocument.preparer())
            signaler(&apercu, *erreur);
    };
    QPointer<CApercuImpressionDlg> ouvert(&apercu);
    apercu.lancerImprimante = [&, ouvert, relire] {
        const bool lance = imprimerAvecDialogue(doc, imprimante, impressions, suivi, &apercu, [ouvert, relire](bool imprime) {
            // The preview may have been closed meanwhile, its pages with it.
            if (!ouvert)
                return;
            if (!imprime)
                relire();
            ouvert->impressionTerminee(imprime);
        });
        if (!lance)
            relire();
        return lance;
    };
    apercu.exec();
}
