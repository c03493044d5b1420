#include "model/Impression.h"

#include <algorithm>

#include "model/CDoc.h"
#include "model/CFichier.h"

namespace {

// Margins and gaps, in millimetres.
constexpr int kMargeGauche = 25;
constexpr int kMargeHaute = 25;
constexpr int kMargeDroite = 50;
// Room left for the header, and for the bottom margin, by the lines-per-page count.
constexpr int kHauteurHorsListe = 50;
// From the header's top to the first line: one line height plus this gap.
constexpr int kEcartSousEntete = 10;
// Where the path column starts, unless the line numbers need more room.
constexpr int kColonneChemin = 10;
// What is left between the widest line number and the path when the path moves right.
constexpr int kEcartNumero = 1;

// A device that cannot tell its size would make us divide by zero: its page is then
// laid out as an A4 page of its pixel height.
int hauteurPageMm(const CContexteImpression& dc)
{
    const int mm = dc.tailleVerticaleMm();
    return mm > 0 ? mm : kHauteurPageParDefautMm;
}

int hauteurLigne(CContexteImpression& dc)
{
    dc.selectionnerPolice();
    const int h = dc.hauteurCaractere();
    dc.restaurerPolice();
    return h;
}

// The widest line number of `nombre` lines, the print font selected. The digits of a
// font need not all be as wide: the widest of the numbers with as many digits as the
// last one is at most a row of the widest digit.
int largeurNumeros(const CContexteImpression& dc, std::uint32_t nombre)
{
    const std::size_t chiffres = std::to_string(nombre).size();
    int largeur = 0;
    for (char c = '0'; c <= '9'; ++c)
        largeur = std::max(largeur, dc.largeurTexte(std::string(chiffres, c)));
    return largeur;
}

} // namespace

int pixelsParMillimetre(const CContexteImpression& dc)
{
    // Below one pixel per millimetre the margins and the columns would collapse.
    return std::max(1, dc.resolutionVerticale() / hauteurPageMm(dc));
}

std::optional<std::string> commencerImpression(CDoc& doc, CContexteImpression& dc,
                                               STravailImpression& travail)
{
    travail = STravailImpression();
    const int h = hauteurLigne(dc);
    if (h <= 0)
        return std::string("La police d'impression n'a pas de hauteur sur ce périphérique : "
                           "aucune ligne ne peut être imprimée.");
    doc.collecterFichiers(travail.liste);

    travail.px = pixelsParMillimetre(dc);
    travail.h = h;
    // A page shorter than the room kept outside the list still holds one line.
    const long long lignes =
        static_cast<long long>(hauteurPageMm(dc) - kHauteurHorsListe) * travail.px / h + 1;
    travail.n = static_cast<int>(std::clamp<long long>(lignes, 1, 1 << 30));

    const auto nombre = static_cast<std::uint32_t>(travail.liste.nombre());
    const auto parPage = static_cast<std::uint32_t>(travail.n);
    travail.dernierePage = (nombre + parPage - 1) / parPage;

    // Five digits and more would run into the paths at 10 mm.
    dc.selectionnerPolice();
    const int numeros = largeurNumeros(dc, nombre) + kEcartNumero * travail.px;
    dc.restaurerPolice();
    travail.colonneChemin = std::max(kColonneChemin * travail.px, numeros);
    return std::nullopt;
}

SLignesPage lignesDePage(const STravailImpression& travail, std::uint32_t page)
{
    if (page < travail.premierePage || page > travail.dernierePage || travail.n <= 0)
        return {};
    const auto nombre = static_cast<std::uint64_t>(travail.liste.nombre());
    const auto parPage = static_cast<std::uint64_t>(travail.n);
    const std::uint64_t debut = (page - 1) * parPage;
    return {static_cast<std::uint32_t>(std::min(debut, nombre)),
            static_cast<std::uint32_t>(std::min(page * parPage, nombre))};
}

void imprimerPage(const CDoc& doc, CContexteImpression& dc, const STravailImpression& travail,
                  std::uint32_t page, SRectangle rect)
{
    if (page < travail.premierePage || page > travail.dernierePage)
        return;
    const int px = pixelsParMillimetre(dc);
    dc.selectionnerPolice();
    const int h = dc.hauteurCaractere();

    rect.gauche += kMargeGauche * px;
    rect.haut += kMargeHaute * px;
    rect.droite -= kMargeDroite * px;
    // The adjusted right edge is used as an x from the shifted origin: on a page
    // whose rectangle starts at 0, the page number and the rule end 25 mm from its
    // right edge.
    const int x0 = rect.gauche;
    const int droite = x0 + rect.droite;

    dc.ecrire(x0, rect.haut, doc.chemin + "Essai");
    dc.ecrireADroite(droite, rect.haut,
                     std::to_string(page) + "/" + std::to_string(travail.nombrePages()));
    dc.tracerLigneHorizontale(x0, droite, rect.haut + h + px);

    rect.haut += h + kEcartSousEntete * px;
    const auto [debut, fin] = lignesDePage(travail, page);
    for (std::uint32_t i = debut; i < fin; ++i) {
        const CFichier* fichier = travail.liste.elementA(static_cast<std::int32_t>(i));
        if (!fichier)
            break;
        const int y = rect.haut + static_cast<int>(i - debut) * h;
        dc.ecrire(x0, y, std::to_string(i + 1));
        dc.ecrire(x0 + travail.colonneChemin, y, fichier->chemin());
    }
    dc.restaurerPolice();
}
