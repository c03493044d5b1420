// Printing to PDF: real pages written by Qt, read back with poppler's pdfinfo and
// pdftoppm, and the refusals that must leave the destination alone.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/Impression.h"
#include "platform/fake/CPlateformeFactice.h"
#include "impression/CContexteImpressionQt.h"
#include "impression/CSuiviImpression.h"
#include "impression/ImpressionPages.h"
#include "impression/ImpressionPdf.h"

namespace {

constexpr int kResolutionPdf = 600;   // what imprimerEnPdf() writes, A4
constexpr int kResolutionImage = 50;  // what the pages are read back at

// A catalogue of `nombre` files named `prefixe`1, `prefixe`2, ..., on the fake platform.
class CCatalogueEssai {
public:
    explicit CCatalogueEssai(int nombre, const std::string& prefixe = "/disque/photos/image")
        : precedente_(definirPlateforme(&plateforme_))
    {
        doc.chemin = "/home/essai/cd.kbt";
        auto* classeur = new CClasseur(&doc, "Général");
        doc.classeurs().ajouter(classeur);
        requete = new CRequete(classeur);
        requete->definirNom("/disque");
        requete->definirChemin("/disque");
        classeur->requetes().ajouter(requete);
        for (int i = 1; i <= nombre; ++i)
            requete->fichiers().ajouter(
                CFichier::creer(requete->arene(), requete, prefixe + std::to_string(i) + ".jpg"));
    }
    ~CCatalogueEssai()
    {
        doc.viderContenu();
        definirPlateforme(precedente_);
    }

private:
    CPlateformeFactice plateforme_;
    CPlateforme* precedente_;

public:
    CDoc doc;
    CRequete* requete = nullptr;
};

// A painter on an in-memory PDF laid out as imprimerEnPdf() lays out its own.
struct CPdfEnMemoire {
    CPdfEnMemoire()
    {
        tampon.open(QIODevice::WriteOnly);
        pdf.setResolution(kResolutionPdf);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        peintre.begin(&pdf);
    }
    QBuffer tampon;
    QPdfWriter pdf{&tampon};
    QPainter peintre;
};

// Stops the job once `arret` pages are done.
struct CSuiviArret : CSuiviImpression {
    explicit CSuiviArret(std::uint32_t a) : arret(a) {}
    bool pagesImprimees(std::uint32_t faites, std::uint32_t total) override
    {
        vues.push_back(faites);
        dernierTotal = total;
        return faites < arret;
    }
    std::uint32_t arret;
    std::uint32_t dernierTotal = 0;
    std::vector<std::uint32_t> vues;
};

// The texts a real device is told to write, with their x; the drawing goes on.
class CContexteNote : public CContexteImpression {
public:
    explicit CContexteNote(CContexteImpression& dc) : dc_(dc) {}
    int resolutionVerticale() const override { return dc_.resolutionVerticale(); }
    int tailleVerticaleMm() const override { return dc_.tailleVerticaleMm(); }
    void selectionnerPolice() override { dc_.selectionnerPolice(); }
    void restaurerPolice() override { dc_.restaurerPolice(); }
    int hauteurCaractere() const override { return dc_.hauteurCaractere(); }
    int largeurTexte(const std::string& t) const override { return dc_.largeurTexte(t); }
    void ecrire(int x, int y, const std::string& t) override
    {
        textes.push_back({x, t});
        dc_.ecrire(x, y, t);
    }
    void ecrireADroite(int x, int y, const std::string& t) override { dc_.ecrireADroite(x, y, t); }
    void tracerLigneHorizontale(int x1, int x2, int y) override { dc_.tracerLigneHorizontale(x1, x2, y); }

    std::vector<std::pair<int, std::string>> textes;

private:
    CContexteImpression& dc_;
};

// Runs a poppler tool; its standard output, or nullopt when it is missing or fails.
std::optional<QByteArray> executer(const QString& programme, const QStringList& arguments)
{
    const QString chemin = QStandardPaths::findExecutable(programme);
    if (chemin.isEmpty()) {
        ADD_FAILURE() << programme.toStdString() << " est introuvable (paquet poppler-utils)";
        return std::nullopt;
    }
    QProcess p;
    p.start(chemin, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << programme.toStdString()
                      << " a échoué : " << p.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return p.readAllStandardOutput();
}

int nombrePagesPdf(const QString& pdf)
{
    const auto sortie = executer(QStringLiteral("pdfinfo"), {pdf});
    if (!sortie)
        return -1;
    const auto m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                      QRegularExpression::MultilineOption)
                       .match(QString::fromUtf8(*sortie));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage premierePage(const QString& pdf, const QString& prefixe)
{
    if (!executer(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-png"), QStringLiteral("-r"),
                   QString::number(kResolutionImage), QStringLiteral("-singlefile"), pdf, prefixe}))
        return {};
    return QImage(prefixe + QStringLiteral(".png"));
}

bool estEncre(QRgb c)
{
    return qGray(c) < 160;
}

// The smallest rectangle holding every inked pixel, and their number.
struct SEncre {
    QRect cadre;
    int pixels = 0;
};

SEncre encre(const QImage& image)
{
    SEncre r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (estEncre(image.pixel(x, y))) {
                ++r.pixels;
                r.cadre |= QRect(x, y, 1, 1);
            }
    return r;
}

// The longest run of pixels that are not white on row y. The rule is one device pixel
// thick, a light grey once scaled down.
int plusLongTrait(const QImage& image, int y)
{
    int meilleur = 0, courant = 0;
    for (int x = 0; x < image.width(); ++x) {
        courant = qGray(image.pixel(x, y)) < 250 ? courant + 1 : 0;
        meilleur = std::max(meilleur, courant);
    }
    return meilleur;
}

class ImpressionPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dossier_.isValid());
        if (!QCoreApplication::instance())
            application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

    QString chemin(const QString& nom) const { return dossier_.filePath(nom); }
    static std::string texte(const QString& s) { return s.toUtf8().toStdString(); }

    // The page geometry on the device imprimerEnPdf() writes to.
    static STravailImpression geometrie(CDoc& doc)
    {
        CPdfEnMemoire page;
        CContexteImpressionQt dc(page.peintre);
        STravailImpression t;
        EXPECT_EQ(commencerImpression(doc, dc, t), std::nullopt);
        return t;
    }

    QTemporaryDir dossier_;

private:
    int argc_ = 1;
    char nom_[9] = "tests_ui";
    char* argv_[2] = {nom_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

// --- The device -----------------------------------------------------------------------

TEST_F(ImpressionPdf, PoliceArialOuSesMetriquesALaResolutionDuPdf)
{
    CPdfEnMemoire page;
    QPainter& peintre = page.peintre;
    CContexteImpressionQt dc(peintre);
    EXPECT_EQ(dc.tailleVerticaleMm(), 297);
    EXPECT_NEAR(dc.resolutionVerticale(), 297 * kResolutionPdf / 25.4, 2.0);

    const QFont avant = peintre.font();
    dc.selectionnerPolice();
    const QString famille = QFontInfo(peintre.font()).family();
    EXPECT_TRUE(famille == QStringLiteral("Arial") || famille == QStringLiteral("Liberation Sans"))
        << "police obtenue : " << texte(famille) << " (paquet fonts-liberation2 ?)";
    // 10 points at 600 dpi are 83 pixels; ascent and descent a little more.
    const int h = dc.hauteurCaractere();
    EXPECT_GE(h, 10 * kResolutionPdf / 72);
    EXPECT_LE(h, 13 * kResolutionPdf / 72);
    dc.restaurerPolice();
    EXPECT_EQ(peintre.font(), avant);
}

// --- Pages --------------------------------------------------------------------------

TEST_F(ImpressionPdf, UnePageParTrancheDeLignes)
{
    CCatalogueEssai petit(1);
    const STravailImpression t = geometrie(petit.doc);
    ASSERT_GT(t.n, 40);
    ASSERT_LT(t.n, 80);

    CCatalogueEssai grand(2 * t.n + 1);
    const QString pdf = chemin(QStringLiteral("grand.pdf"));
    ASSERT_EQ(imprimerEnPdf(grand.doc, texte(pdf)), std::nullopt);
    EXPECT_EQ(nombrePagesPdf(pdf), 3);

    const QString un = chemin(QStringLiteral("un.pdf"));
    ASSERT_EQ(imprimerEnPdf(petit.doc, texte(un)), std::nullopt);
    EXPECT_EQ(nombrePagesPdf(un), 1);
}

TEST_F(ImpressionPdf, LaPageEstEcriteDansSesMarges)
{
    CCatalogueEssai doc(3);
    const QString pdf = chemin(QStringLiteral("trois.pdf"));
    ASSERT_EQ(imprimerEnPdf(doc.doc, texte(pdf)), std::nullopt);
    const QImage page = premierePage(pdf, chemin(QStringLiteral("page")));
    ASSERT_FALSE(page.isNull());
    // A4 at 50 dpi.
    EXPECT_NEAR(page.width(), 210 * kResolutionImage / 25.4, 1.0);
    EXPECT_NEAR(page.height(), 297 * kResolutionImage / 25.4, 1.0);

    const SEncre e = encre(page);
    ASSERT_GT(e.pixels, 200) << "page blanche";

    // Where the device pixels of the layout fall on the image.
    const STravailImpression t = geometrie(doc.doc);
    const double echelle = double(kResolutionImage) / kResolutionPdf;
    const int marge = 25 * t.px;
    const int largeur = static_cast<int>(210 * kResolutionPdf / 25.4);
    const int droite = marge + largeur - 50 * t.px;
    const int basDerniereLigne = marge + t.h + 10 * t.px + 3 * t.h;
    EXPECT_GE(e.cadre.left(), marge * echelle - 1);
    EXPECT_GE(e.cadre.top(), marge * echelle - 1);
    EXPECT_LE(e.cadre.right(), droite * echelle + 1);
    EXPECT_GE(e.cadre.right(), droite * echelle - 2);   // the rule and the page number
    EXPECT_LE(e.cadre.bottom(), basDerniereLigne * echelle + 1);

    // The rule under the header runs across the page.
    const int yRegle = static_cast<int>((marge + t.h + t.px) * echelle);
    int trait = 0;
    for (int y = yRegle - 1; y <= yRegle + 1; ++y)
        trait = std::max(trait, plusLongTrait(page, y));
    EXPECT_GE(trait, static_cast<int>((droite - marge) * echelle) - 2);
}

TEST_F(ImpressionPdf, NomsAccentuesOuNonUtf8SImpriment)
{
    CCatalogueEssai doc(0);
    for (const char* nom : {"/disque/été/Réunion.txt", "/disque/日本語.txt", "/disque/\xff\xfe-brut.bin"})
        doc.requete->fichiers().ajouter(CFichier::creer(doc.requete->arene(), doc.requete, nom));
    const QString pdf = chemin(QStringLiteral("noms.pdf"));
    ASSERT_EQ(imprimerEnPdf(doc.doc, texte(pdf)), std::nullopt);
    EXPECT_EQ(nombrePagesPdf(pdf), 1);
    EXPECT_GT(encre(premierePage(pdf, chemin(QStringLiteral("noms")))).pixels, 200);
}

TEST_F(ImpressionPdf, LesNumerosDeSixChiffresNeTouchentPasLeChemin)
{
    // In the print font, as the PDF gets it: the path stays at 10 mm while four digits
    // leave room before it, and moves right for six.
    for (const int fichiers : {9999, 100000}) {
        CCatalogueEssai doc(fichiers, "/p");
        CPdfEnMemoire page;
        CContexteImpressionQt qt(page.peintre);
        CContexteNote dc(qt);
        STravailImpression t;
        ASSERT_EQ(commencerImpression(doc.doc, dc, t), std::nullopt);
        imprimerPage(doc.doc, dc, t, t.dernierePage, SRectangle{0, 0, page.pdf.width(), page.pdf.height()});
        // The last line: its number, then its path.
        ASSERT_GE(dc.textes.size(), 2u);
        const auto& [xNumero, numero] = dc.textes[dc.textes.size() - 2];
        const auto& [xChemin, chemin] = dc.textes.back();
        ASSERT_EQ(numero, std::to_string(fichiers));
        ASSERT_EQ(chemin, "/p" + std::to_string(fichiers) + ".jpg");
        dc.selectionnerPolice();
        const int largeur = dc.largeurTexte(numero);
        dc.restaurerPolice();
        EXPECT_GE(xChemin - xNumero, largeur + t.px) << fichiers;
        if (fichiers < 10000)
            EXPECT_EQ(xChemin - xNumero, 10 * t.px);
        else
            EXPECT_GT(xChemin - xNumero, 10 * t.px);
    }
}

// --- Refusals -----------------------------------------------------------------------

TEST_F(ImpressionPdf, UneImpressionAnnuleeNEcritNiNeRemplaceRien)
{
    CCatalogueEssai petit(1);
    const int n = geometrie(petit.doc).n;
    CCatalogueEssai doc(4 * n);
    const QString pdf = chemin(QStringLiteral("ancien.pdf"));
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ancien contenu");
    }
    // Stopped after the second of four pages; then a new file, stopped at once.
    for (const QString& nom : {QStringLiteral("ancien.pdf"), QStringLiteral("nouveau.pdf")}) {
        CSuiviArret suivi(nom == QStringLiteral("ancien.pdf") ? 2 : 1);
        const auto erreur = imprimerEnPdf(doc.doc, texte(chemin(nom)), {}, &suivi);
        EXPECT_EQ(erreur, std::optional<std::string>(kImpressionAnnulee));
        EXPECT_EQ(suivi.vues.size(), suivi.arret);
        EXPECT_EQ(suivi.dernierTotal, 4u);
    }
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("ancien contenu"));
    EXPECT_EQ(QDir(dossier_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("ancien.pdf")});

    // Not stopped: every page, each told once.
    CSuiviArret jusquauBout(100);
    ASSERT_EQ(imprimerEnPdf(doc.doc, texte(pdf), {}, &jusquauBout), std::nullopt);
    EXPECT_EQ(jusquauBout.vues, (std::vector<std::uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(nombrePagesPdf(pdf), 4);
}

TEST_F(ImpressionPdf, CatalogueSansFichierRefuseSansToucherAuFichier)
{
    CCatalogueEssai vide(0);
    const QString pdf = chemin(QStringLiteral("existant.pdf"));
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ancien contenu");
    }
    const auto erreur = imprimerEnPdf(vide.doc, texte(pdf));
    ASSERT_TRUE(erreur.has_value());
    EXPECT_NE(erreur->find("Le catalogue ne contient aucun fichier à imprimer."), std::string::npos);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("ancien contenu"));
    // No temporary file left beside it either.
    EXPECT_EQ(QDir(dossier_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("existant.pdf")});
}

TEST_F(ImpressionPdf, DossierInexistantRefuseAvecLeChemin)
{
    CCatalogueEssai doc(2);
    const std::string pdf = texte(chemin(QStringLiteral("absent/sortie.pdf")));
    const auto erreur = imprimerEnPdf(doc.doc, pdf);
    ASSERT_TRUE(erreur.has_value());
    EXPECT_NE(erreur->find(pdf), std::string::npos) << *erreur;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
}

// --- Without a Qt application (the command-line tool) ---------------------------------

TEST(ImpressionPdfSansApplication, UneApplicationEstCreeeLeTempsDeLImpression)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    CCatalogueEssai doc(2);
    const QString pdf = dossier.filePath(QStringLiteral("cli.pdf"));
    ASSERT_EQ(imprimerEnPdf(doc.doc, pdf.toStdString()), std::nullopt);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(nombrePagesPdf(pdf), 1);
}

TEST(ImpressionPdfSansApplication, ApplicationSansInterfaceGraphiqueRefusee)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    int argc = 1;
    char nom[] = "tests_ui";
    char* argv[] = {nom, nullptr};
    QCoreApplication application(argc, argv);
    QTemporaryDir dossier;
    CCatalogueEssai doc(2);
    const QString pdf = dossier.filePath(QStringLiteral("cli.pdf"));
    const auto erreur = imprimerEnPdf(doc.doc, pdf.toStdString());
    ASSERT_TRUE(erreur.has_value());
    EXPECT_NE(erreur->find("interface graphique"), std::string::npos);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
