// Printing: page geometry, page count and range, the header, the rule and the
// numbered lines of each page, on a device that records what it is told to draw.

#include "tests/core/Factices.h"

#include <string>
#include <vector>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/Impression.h"

namespace {

// An A4 page at 600 dpi: 7016 pixels over 297 mm, so 23 pixels per millimetre; a
// character height of 96 pixels gives ((297 - 50) * 23) / 96 + 1 = 60 lines a page.
class CContexteEspion : public CContexteImpression {
public:
    struct STrace {
        enum EGenre { Texte, TexteADroite, Ligne } genre;
        int x, y;
        std::string texte;   // text, or the rule's end x as text for a line
        bool avecPolice;     // the print font was selected when it was drawn
    };

    int resolutionVerticale() const override { return resolution; }
    int tailleVerticaleMm() const override { return millimetres; }
    void selectionnerPolice() override { ++selections; }
    void restaurerPolice() override { ++restaurations; }
    int hauteurCaractere() const override { return selections > restaurations ? hauteur : 12; }
    // Every character half as wide as the line is high, as near enough in Arial.
    int largeurTexte(const std::string& t) const override
    {
        return static_cast<int>(t.size()) * hauteurCaractere() / 2;
    }
    void ecrire(int x, int y, const std::string& t) override
    {
        traces.push_back({STrace::Texte, x, y, t, selections > restaurations});
    }
    void ecrireADroite(int x, int y, const std::string& t) override
    {
        traces.push_back({STrace::TexteADroite, x, y, t, selections > restaurations});
    }
    void tracerLigneHorizontale(int x1, int x2, int y) override
    {
        traces.push_back({STrace::Ligne, x1, y, std::to_string(x2), selections > restaurations});
    }

    // Texts drawn left-aligned at x, top to bottom.
    std::vector<std::string> colonne(int x) const
    {
        std::vector<std::string> r;
        for (const auto& t : traces)
            if (t.genre == STrace::Texte && t.x == x)
                r.push_back(t.texte);
        return r;
    }

    int resolution = 7016;
    int millimetres = 297;
    int hauteur = 96;
    int selections = 0;
    int restaurations = 0;
    std::vector<STrace> traces;
};

class Impression : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        doc_.chemin = "C:\\Listes\\cd.kbt";
        classeur_ = new CClasseur(&doc_, "Général");
        doc_.classeurs().ajouter(classeur_);
        requete_ = ajouterRequete(*classeur_, "/d");
    }

    CRequete* ajouterRequete(CClasseur& c, const std::string& chemin)
    {
        auto* q = new CRequete(&c);
        q->definirNom(chemin);
        q->definirChemin(chemin);
        c.requetes().ajouter(q);
        return q;
    }
    CDossier* ajouterSousDossier(CDossier& d, const std::string& chemin)
    {
        auto* s = new CDossier(d.requete(), chemin, false);
        d.sousDossiers().ajouter(s);
        return s;
    }
    void ajouterFichiers(CDossier& d, int nombre, const std::string& prefixe = "/d/f")
    {
        for (int i = 1; i <= nombre; ++i)
            d.fichiers().ajouter(CFichier::creer(d.arene(), &d, prefixe + std::to_string(i)));
    }
    STravailImpression commencer()
    {
        STravailImpression t;
        EXPECT_EQ(commencerImpression(doc_, dc_, t), std::nullopt);
        return t;
    }
    // Draws page p on a fresh record of the device.
    void imprimer(const STravailImpression& t, std::uint32_t p, SRectangle rect = kPage)
    {
        dc_.traces.clear();
        imprimerPage(doc_, dc_, t, p, rect);
    }
    // The numbers of the lines on the page drawn last (the header, first, shares
    // their column).
    std::vector<std::string> numeros() const { return lignes(kMarge); }
    std::vector<std::string> lignes(int x) const
    {
        std::vector<std::string> c = dc_.colonne(x);
        if (!c.empty() && c.front().ends_with("Essai"))
            c.erase(c.begin());
        return c;
    }

    static constexpr SRectangle kPage{0, 0, 4961, 7016};
    static constexpr int kPx = 23;
    static constexpr int kMarge = 25 * kPx;

    CDoc doc_;
    CClasseur* classeur_ = nullptr;
    CRequete* requete_ = nullptr;
    CContexteEspion dc_;
};

// --- Geometry and page count --------------------------------------------------------

TEST_F(Impression, GeometrieDeLaPage)
{
    ajouterFichiers(*requete_, 1);
    const STravailImpression t = commencer();
    EXPECT_EQ(t.px, 23);
    EXPECT_EQ(t.h, 96);   // read with the print font selected
    EXPECT_EQ(t.n, 60);
    EXPECT_EQ(dc_.selections, dc_.restaurations);
}

TEST_F(Impression, CentVingtFichiersTiennentEnDeuxPages)
{
    ajouterFichiers(*requete_, 120);
    const STravailImpression t = commencer();
    EXPECT_EQ(t.premierePage, 1u);
    EXPECT_EQ(t.dernierePage, 2u);
    EXPECT_EQ(t.nombrePages(), 2u);
}

TEST_F(Impression, CentVingtEtUnFichiersDemandentUneTroisiemePage)
{
    ajouterFichiers(*requete_, 121);
    const STravailImpression t = commencer();
    EXPECT_EQ(t.dernierePage, 3u);
    imprimer(t, 3);
    EXPECT_EQ(numeros(), std::vector<std::string>{"121"});
    EXPECT_EQ(dc_.colonne(kMarge + 10 * kPx), std::vector<std::string>{"/d/f121"});
}

TEST_F(Impression, DocumentSansFichierNImprimeAucunePage)
{
    // Binders, queries and folders alone print nothing.
    ajouterSousDossier(*requete_, "/d/vide");
    ajouterRequete(*classeur_, "/e");
    doc_.classeurs().ajouter(new CClasseur(&doc_, "Autre"));
    const STravailImpression t = commencer();
    EXPECT_TRUE(t.liste.estVide());
    EXPECT_EQ(t.premierePage, 1u);
    EXPECT_EQ(t.dernierePage, 0u);
    EXPECT_EQ(t.nombrePages(), 0u);
    imprimer(t, 1);
    EXPECT_TRUE(dc_.traces.empty());
}

// --- Lines ------------------------------------------------------------------------

TEST_F(Impression, LaNumerotationContinueDUnePageALAutre)
{
    ajouterFichiers(*requete_, 121);
    const STravailImpression t = commencer();
    imprimer(t, 1);
    const auto page1 = numeros();
    ASSERT_EQ(page1.size(), 60u);
    EXPECT_EQ(page1.front(), "1");
    EXPECT_EQ(page1.back(), "60");
    imprimer(t, 2);
    const auto page2 = numeros();
    ASSERT_EQ(page2.size(), 60u);
    EXPECT_EQ(page2.front(), "61");
    EXPECT_EQ(page2.back(), "120");
    EXPECT_EQ(dc_.colonne(kMarge + 10 * kPx).front(), "/d/f61");
}

TEST_F(Impression, SeulsLesFichiersOntUneLigneDansLOrdreDuDocument)
{
    // Folders depth first, a folder's own files before its sub-folders; then the
    // next query, then the next binder.
    CDossier* a = ajouterSousDossier(*requete_, "/d/a");
    CDossier* b = ajouterSousDossier(*a, "/d/a/b");
    b->fichiers().ajouter(CFichier::creer(b->arene(), b, "/d/a/b/3"));
    a->fichiers().ajouter(CFichier::creer(a->arene(), a, "/d/a/2"));
    requete_->fichiers().ajouter(CFichier::creer(requete_->arene(), requete_, "/d/1"));
    CRequete* e = ajouterRequete(*classeur_, "/e");
    e->fichiers().ajouter(CFichier::creer(e->arene(), e, "/e/4"));
    auto* autre = new CClasseur(&doc_, "Autre");
    doc_.classeurs().ajouter(autre);
    CRequete* g = ajouterRequete(*autre, "/g");
    g->fichiers().ajouter(CFichier::creer(g->arene(), g, "/g/5"));

    const STravailImpression t = commencer();
    imprimer(t, 1);
    EXPECT_EQ(numeros(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(dc_.colonne(kMarge + 10 * kPx),
              (std::vector<std::string>{"/d/1", "/d/a/2", "/d/a/b/3", "/e/4", "/g/5"}));
}

TEST_F(Impression, LignesSousLEnteteUneHauteurDeCaractereLUneSousLAutre)
{
    ajouterFichiers(*requete_, 3);
    imprimer(commencer(), 1);
    const int premiere = kMarge + 96 + 10 * kPx;
    std::vector<int> ordonnees;
    for (const auto& tr : dc_.traces)
        if (tr.genre == CContexteEspion::STrace::Texte && tr.y >= premiere) {
            ordonnees.push_back(tr.y);
            EXPECT_TRUE(tr.avecPolice) << tr.texte;
        }
    EXPECT_EQ(ordonnees, (std::vector<int>{premiere, premiere, premiere + 96, premiere + 96,
                                           premiere + 192, premiere + 192}));
    EXPECT_EQ(dc_.selections, dc_.restaurations);
}

// --- Header -----------------------------------------------------------------------

TEST_F(Impression, EnteteCheminPuisEssaiEtNumeroDePage)
{
    ajouterFichiers(*requete_, 121);
    const STravailImpression t = commencer();
    imprimer(t, 1);
    ASSERT_GE(dc_.traces.size(), 3u);
    const auto& entete = dc_.traces[0];
    EXPECT_EQ(entete.genre, CContexteEspion::STrace::Texte);
    EXPECT_EQ(entete.texte, "C:\\Listes\\cd.kbtEssai");
    EXPECT_EQ(entete.x, kMarge);
    EXPECT_EQ(entete.y, kMarge);
    const auto& numero = dc_.traces[1];
    EXPECT_EQ(numero.genre, CContexteEspion::STrace::TexteADroite);
    EXPECT_EQ(numero.texte, "1/3");
    // The right edge less 50 mm, measured from the shifted origin.
    EXPECT_EQ(numero.x, kMarge + 4961 - 50 * kPx);
    EXPECT_EQ(numero.y, kMarge);
    const auto& regle = dc_.traces[2];
    EXPECT_EQ(regle.genre, CContexteEspion::STrace::Ligne);
    EXPECT_EQ(regle.x, kMarge);
    EXPECT_EQ(regle.texte, std::to_string(kMarge + 4961 - 50 * kPx));
    EXPECT_EQ(regle.y, kMarge + 96 + kPx);
    imprimer(t, 3);
    EXPECT_EQ(dc_.traces[1].texte, "3/3");
}

TEST_F(Impression, DocumentJamaisEnregistreEnteteEssaiSeul)
{
    doc_.chemin.clear();
    ajouterFichiers(*requete_, 1);
    imprimer(commencer(), 1);
    ASSERT_FALSE(dc_.traces.empty());
    EXPECT_EQ(dc_.traces[0].texte, "Essai");
}

TEST_F(Impression, RectangleDecaleDeplaceToutLaPage)
{
    ajouterFichiers(*requete_, 1);
    const STravailImpression t = commencer();
    imprimer(t, 1, SRectangle{100, 200, 5061, 7216});
    ASSERT_EQ(dc_.traces.size(), 5u);
    const int x0 = 100 + kMarge, y0 = 200 + kMarge;
    EXPECT_EQ(dc_.traces[0].x, x0);
    EXPECT_EQ(dc_.traces[0].y, y0);
    EXPECT_EQ(dc_.traces[1].x, x0 + 5061 - 50 * kPx);
    EXPECT_EQ(dc_.traces[2].y, y0 + 96 + kPx);
    EXPECT_EQ(dc_.traces[3].x, x0);
    EXPECT_EQ(dc_.traces[3].y, y0 + 96 + 10 * kPx);
    EXPECT_EQ(dc_.traces[4].x, x0 + 10 * kPx);
    EXPECT_EQ(dc_.traces[4].texte, "/d/f1");
}

// --- Odd devices --------------------------------------------------------------------

TEST_F(Impression, PeripheriqueSansTailleEstMesureCommeUnA4)
{
    dc_.millimetres = 0;
    ajouterFichiers(*requete_, 61);
    const STravailImpression t = commencer();
    EXPECT_EQ(t.px, 7016 / 297);
    EXPECT_EQ(t.n, 60);
    EXPECT_EQ(t.dernierePage, 2u);
    imprimer(t, 2);
    EXPECT_EQ(numeros(), std::vector<std::string>{"61"});
}

TEST_F(Impression, PeripheriqueMinusculeImprimeUneLigneParPage)
{
    // Shorter than the 50 mm kept outside the list: the formula gives less than one
    // line, yet every file must still be printed.
    dc_.millimetres = 20;
    dc_.resolution = 200;
    dc_.hauteur = 40;
    ajouterFichiers(*requete_, 3);
    const STravailImpression t = commencer();
    EXPECT_EQ(t.n, 1);
    EXPECT_EQ(t.dernierePage, 3u);
    imprimer(t, 2);
    EXPECT_EQ(lignes(25 * 10), std::vector<std::string>{"2"});
}

TEST_F(Impression, PeripheriqueDeMoinsDUnPixelParMillimetre)
{
    dc_.resolution = 100;
    dc_.hauteur = 2;
    ajouterFichiers(*requete_, 2);
    const STravailImpression t = commencer();
    EXPECT_EQ(t.px, 1);
    imprimer(t, 1);
    // Numbers and paths stay in columns of their own.
    EXPECT_EQ(dc_.colonne(25), (std::vector<std::string>{"C:\\Listes\\cd.kbtEssai", "1", "2"}));
    EXPECT_EQ(dc_.colonne(35), (std::vector<std::string>{"/d/f1", "/d/f2"}));
}

TEST_F(Impression, PoliceSansHauteurRefuseeAvecUnMessage)
{
    dc_.hauteur = 0;
    ajouterFichiers(*requete_, 5);
    STravailImpression t;
    const auto erreur = commencerImpression(doc_, dc_, t);
    ASSERT_TRUE(erreur.has_value());
    EXPECT_NE(erreur->find("police"), std::string::npos);
    EXPECT_EQ(t.nombrePages(), 0u);
    EXPECT_TRUE(t.liste.estVide());
    EXPECT_EQ(dc_.selections, dc_.restaurations);
    imprimer(t, 1);
    EXPECT_TRUE(dc_.traces.empty());
}

// --- The print list -----------------------------------------------------------------

TEST_F(Impression, ChaqueDebutReconstruitLaListe)
{
    ajouterFichiers(*requete_, 70);
    CRequete* e = ajouterRequete(*classeur_, "/e");
    ajouterFichiers(*e, 2, "/e/f");
    STravailImpression t = commencer();
    EXPECT_EQ(t.liste.nombre(), 72);
    EXPECT_EQ(t.dernierePage, 2u);

    // The first query goes: the next job must not hold any of its entries.
    ASSERT_TRUE(doc_.supprimerNoeud(*requete_));
    requete_ = nullptr;
    ASSERT_EQ(commencerImpression(doc_, dc_, t), std::nullopt);
    EXPECT_EQ(t.liste.nombre(), 2);
    EXPECT_EQ(t.dernierePage, 1u);
    imprimer(t, 1);
    EXPECT_EQ(dc_.colonne(kMarge + 10 * kPx), (std::vector<std::string>{"/e/f1", "/e/f2"}));
}

TEST_F(Impression, PageZeroOuAuDelaDeLaPlageNeDessineRien)
{
    ajouterFichiers(*requete_, 5);
    const STravailImpression t = commencer();
    imprimer(t, 0);
    EXPECT_TRUE(dc_.traces.empty());
    imprimer(t, 2);
    EXPECT_TRUE(dc_.traces.empty());
    EXPECT_EQ(dc_.selections, dc_.restaurations);
}

// --- Page breaks and the path column ----------------------------------------------

TEST_F(Impression, LesSautsDePageCalculesSontCeuxDuDessin)
{
    ajouterFichiers(*requete_, 121);
    const STravailImpression t = commencer();
    // In order, backwards, and jumping about as a preview turns pages: each page draws
    // the lines computed for it, each number beside its own path.
    for (const auto& ordre : std::vector<std::vector<std::uint32_t>>{{1, 2, 3}, {3, 2, 1}, {2, 3, 1, 1, 3}}) {
        for (const std::uint32_t p : ordre) {
            const SLignesPage l = lignesDePage(t, p);
            imprimer(t, p);
            std::vector<std::string> attendus, chemins;
            for (std::uint32_t i = l.debut; i < l.fin; ++i) {
                attendus.push_back(std::to_string(i + 1));
                chemins.push_back("/d/f" + std::to_string(i + 1));
            }
            EXPECT_EQ(numeros(), attendus) << "page " << p;
            EXPECT_EQ(dc_.colonne(kMarge + t.colonneChemin), chemins) << "page " << p;
        }
    }
    EXPECT_EQ(lignesDePage(t, 1).fin, 60u);
    EXPECT_EQ(lignesDePage(t, 3).debut, 120u);
    EXPECT_EQ(lignesDePage(t, 3).fin, 121u);
    for (const std::uint32_t horsPlage : {0u, 4u, 0xFFFFFFFFu})
        EXPECT_EQ(lignesDePage(t, horsPlage).fin, 0u) << horsPlage;
}

TEST_F(Impression, LeCheminSEcarteDesNumerosSeulementQuandIlsLeDemandent)
{
    // 10 mm are 230 pixels; a digit is 48 wide and 1 mm (23) is kept before the path.
    struct SCas {
        int fichiers;
        int colonne;
    };
    for (const SCas c : {SCas{1, 230}, SCas{9999, 230}, SCas{10000, 5 * 48 + 23}, SCas{100000, 6 * 48 + 23}}) {
        doc_.viderContenu();
        classeur_ = new CClasseur(&doc_, "Général");
        doc_.classeurs().ajouter(classeur_);
        requete_ = ajouterRequete(*classeur_, "/d");
        ajouterFichiers(*requete_, c.fichiers);
        const STravailImpression t = commencer();
        EXPECT_EQ(t.colonneChemin, c.colonne) << c.fichiers;
        imprimer(t, t.dernierePage);
        const std::string dernier = std::to_string(c.fichiers);
        ASSERT_EQ(numeros().back(), dernier);
        ASSERT_EQ(lignes(kMarge + c.colonne).back(), "/d/f" + dernier);
        // The widest number ends before its path starts.
        EXPECT_LT(kMarge + static_cast<int>(dernier.size()) * 48, kMarge + c.colonne) << c.fichiers;
        EXPECT_EQ(dc_.selections, dc_.restaurations);
    }
}

} // namespace
