#include "shell/ImpressionPdf.h"

#include <memory>

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "model/CDoc.h"
#include "model/Impression.h"
#include "shell/CContexteImpressionQt.h"

namespace {

constexpr int kResolutionPdf = 600;

std::string texte(const QString& s)
{
    return s.toUtf8().toStdString();
}

std::optional<std::string> ecrirePages(CDoc& doc, QSaveFile& fichier)
{
    QPdfWriter pdf(&fichier);
    pdf.setResolution(kResolutionPdf);
    // The pages keep their own margins: the device's rectangle is the whole sheet.
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setCreator(QStringLiteral("Norvanel"));
    pdf.setTitle(QFile::decodeName(QByteArray::fromStdString(doc.chemin)));

    QPainter peintre;
    if (!peintre.begin(&pdf))
        return std::string("Le PDF ne peut pas être préparé.");
    CContexteImpressionQt dc(peintre);
    STravailImpression travail;
    if (auto erreur = commencerImpression(doc, dc, travail))
        return erreur;
    if (travail.nombrePages() == 0)
        return std::string("Le catalogue ne contient aucun fichier à imprimer.");

    const SRectangle page{0, 0, pdf.width(), pdf.height()};
    for (std::uint32_t p = travail.premierePage; p <= travail.dernierePage; ++p) {
        if (p != travail.premierePage && !pdf.newPage())
            return std::string("Le PDF ne peut pas recevoir une nouvelle page.");
        imprimerPage(doc, dc, travail, p, page);
    }
    if (!peintre.end())
        return std::string("Le PDF n'a pas pu être terminé.");
    return std::nullopt;
}

} // namespace

std::optional<std::string> imprimerEnPdf(CDoc& doc, const std::string& cheminPdf)
{
    // Fonts need a QGuiApplication; a plain QCoreApplication cannot be replaced by one.
    int argc = 3;
    char nom[] = "norvanel", option[] = "-platform", plateforme[] = "offscreen";
    char* argv[] = {nom, option, plateforme, nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance())
        application = std::make_unique<QGuiApplication>(argc, argv);
    else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return std::string("L'impression a besoin de l'interface graphique de Qt, "
                           "que ce programme n'a pas démarrée.");

    const QString chemin = QFile::decodeName(QByteArray::fromStdString(cheminPdf));
    // Written beside the target and renamed over it only when complete, so a failure
    // never leaves a half-written PDF nor spoils the previous one.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return "Impossible d'écrire le fichier « " + cheminPdf + " » : " +
               texte(fichier.errorString());
    if (auto erreur = ecrirePages(doc, fichier)) {
        fichier.cancelWriting();
        return "Impression de « " + cheminPdf + " » impossible : " + *erreur;
    }
    if (!fichier.commit())
        return "Impossible d'écrire le fichier « " + cheminPdf + " » : " +
               texte(fichier.errorString());
    return std::nullopt;
}
