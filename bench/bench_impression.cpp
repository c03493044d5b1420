// Print preview and printing of a catalogue of 280 000 files, offscreen: the pages
// laid out without drawing, the preview opened on its first page, its last page
// shown, against every page drawn up front (what a preview that draws all its pages
// first costs); then every page printed to a PDF in memory.
// Usage: bench_impression [fichiers] [tours]

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "bench/Mesure.h"
#include "bench/ProgrammeHorsEcran.h"
#include "dialogs/CApercuImpressionDlg.h"
#include "dialogs/CVuePagesApercu.h"
#include "impression/ImpressionPages.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CPagesApercuDocument.h"

namespace {

constexpr double kObjectifPremierePage = 0.5;

void remplir(CDoc& doc, int fichiers)
{
    auto* c = new CClasseur(&doc, "Général");
    doc.classeurs().ajouter(c);
    auto* q = new CRequete(c);
    q->definirNom("/media/archives");
    q->definirChemin("/media/archives");
    c->requetes().ajouter(q);
    for (int i = 1; i <= fichiers; ++i)
        q->fichiers().ajouter(CFichier::creer(q->arene(), q, "/media/archives/Photos de famille/" + std::to_string(2000 + i % 24) +
                                                  "/image" + std::to_string(i) + ".jpg"));
}

// A page as the preview draws it: the sheet scaled into an image of its size on screen.
void dessiner(CPagesApercu& pages, std::uint32_t page, QSize taille)
{
    QImage feuille(taille, QImage::Format_RGB32);
    feuille.fill(Qt::white);
    const int pointsParMetre = qRound(pages.resolution() / 0.0254);
    feuille.setDotsPerMeterX(pointsParMetre);
    feuille.setDotsPerMeterY(pointsParMetre);
    QPainter peintre(&feuille);
    peintre.scale(double(taille.width()) / pages.taillePapier().width(),
                  double(taille.height()) / pages.taillePapier().height());
    pages.dessinerPage(peintre, page);
}

} // namespace

int main(int argc, char** argv)
{
    const int fichiers = argc > 1 ? std::atoi(argv[1]) : 280000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 7;
    if (fichiers <= 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_impression [fichiers > 0] [tours > 0]\n");
        return 2;
    }
    SProgrammeHorsEcran programme(argc, argv);
    CDoc doc;
    remplir(doc, fichiers);
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)));

    CPagesApercuDocument pages(doc, imprimante);
    std::printf("%d fichiers, imprimante à %d ppp\n", fichiers, pages.resolution());
    const auto pagination = mesurerTours(tours, [] {}, [&] { (void)pages.preparer(); });
    afficherLigne("mise en page (sans dessin)", pagination, fichiers);
    std::printf("  %u pages\n", pages.nombrePages());

    // The preview opened as the command opens it: pages laid out, window shown on page 1.
    std::uint32_t dessinees = 0;
    const auto ouverture = mesurerTours(tours, [] {}, [&] {
        CPagesApercuDocument apercues(doc, imprimante);
        (void)apercues.preparer();
        CApercuImpressionDlg apercu(apercues, 1, nullptr);
        apercu.resize(900, 1000);
        apercu.show();
        apercu.vue().viewport()->grab();
        dessinees = static_cast<std::uint32_t>(apercu.vue().pagesDessinees().size());
    });
    afficherLigne("aperçu ouvert sur la page 1", ouverture, fichiers);
    std::printf("  pages dessinées : %u\n", dessinees);

    const QSize taille(640, 905);
    const auto derniere = mesurerTours(tours, [] {}, [&] { dessiner(pages, pages.nombrePages(), taille); });
    afficherLigne("dernière page montrée", derniere, fichiers);
    const auto milieu = mesurerTours(tours, [] {}, [&] { dessiner(pages, pages.nombrePages() / 2, taille); });
    afficherLigne("page du milieu montrée", milieu, fichiers);

    // For reference, once: every page drawn before the first is shown.
    const double toutes = chronometrer([&] {
        for (std::uint32_t p = 1; p <= pages.nombrePages(); ++p)
            dessiner(pages, p, taille);
    });
    afficherLigne("référence : toutes les pages dessinées", {toutes}, fichiers);

    // Once: every page to a PDF in memory, as printing does behind its progress window.
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    const double pdf = chronometrer([&] {
        QPdfWriter ecrivain(&tampon);
        ecrivain.setResolution(600);
        ecrivain.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter peintre(&ecrivain);
        (void)imprimerPages(doc, ecrivain, peintre, {}, nullptr, std::string());
    });
    afficherLigne("impression de toutes les pages en PDF", {pdf}, fichiers);
    std::printf("  %.1f Mo de PDF\n", double(tampon.size()) / 1e6);

    const double premiere = mediane(ouverture);
    std::printf("objectif aperçu ouvert < %.1f s : %s (%.3f s)\n", kObjectifPremierePage,
                premiere < kObjectifPremierePage ? "atteint" : "MANQUÉ", premiere);
    return 0;
}
