// Printing to PDF: real pages written by Qt, read back with poppler's pdfinfo and
// pdftoppm, and the refusals that must leave the destination alone.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

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
                new CFichier(requete, prefixe + std::to_string(i) + ".jpg"));
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
        doc.requete->fichiers().ajouter(new CFichier(doc.requete, nom));
    const QString pdf = chemin(QStringLiteral("noms.pdf"));
    ASSERT_EQ(imprimerEnPdf(doc.doc, texte(pdf)), std::nullopt);
    EXPECT_EQ(nombrePagesPdf(pdf), 1);
    EXPECT_GT(encre(premierePage(pdf, chemin(QStringLiteral("noms")))).pixels, 200);
}

// --- Refusals -----------------------------------------------------------------------

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
