#include "impression/ImpressionPdf.h"

#include <algorithm>
#include <memory>

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "impression/ImpressionPages.h"
#include "model/CDoc.h"
#include "platform/IdentiteFichier.h"
#include "platform/TexteAffichable.h"
#include "storage/CSortie.h"
#include "storage/EcritureSure.h"
#include "storage/ResolutionLiens.h"
#include "storage/SignatureCatalogue.h"

namespace {

// The PDF's bytes, handed to the safe write as Qt produces them.
class CAppareilSortie : public QIODevice {
public:
    explicit CAppareilSortie(CSortie& sortie) : sortie_(sortie) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* octets, qint64 n) override
    {
        return sortie_.ecrire(octets, static_cast<std::size_t>(n)) ? n : -1;
    }

private:
    CSortie& sortie_;
};

// Leaves the safe write without a file when the pages cannot be made.
struct SPagesImpossibles {
    std::string raison;
};

// The catalogue itself must never be what the PDF replaces (given by its own name or
// through a link).
bool estLeCatalogue(const CDoc& doc, const std::string& cheminPdf)
{
    const auto sortie = identiteFichier(cheminPdf);
    if (!sortie)
        return false;
    if (doc.identiteSurDisque && sortie->memeFichier(*doc.identiteSurDisque))
        return true;
    const auto catalogue = doc.chemin.empty() ? std::nullopt : identiteFichier(doc.chemin);
    return catalogue && sortie->memeFichier(*catalogue);
}

std::optional<std::string> ecrirePages(CDoc& doc, QIODevice& fichier, const SMiseEnPagePdf& mise,
                                       CSuiviImpression* suivi)
{
    QPdfWriter pdf(&fichier);
    pdf.setResolution(mise.resolution);
    // The pages keep their own margins: the device's rectangle is the whole sheet.
    pdf.setPageLayout(mise.page);
    pdf.setCreator(QStringLiteral("Norvanel"));
    pdf.setTitle(QFile::decodeName(QByteArray::fromStdString(doc.chemin)));

    QPainter peintre;
    if (!peintre.begin(&pdf))
        return std::string("Le PDF ne peut pas être préparé.");
    if (auto erreur = imprimerPages(doc, pdf, peintre, {mise.premiere, mise.derniere}, suivi,
                                    "Le PDF ne peut pas recevoir une nouvelle page."))
        return erreur;
    if (!peintre.end())
        return std::string("Le PDF n'a pas pu être terminé.");
    return std::nullopt;
}

// Qt's own remarks (in English, about the session it was started in: no runtime
// folder...) say nothing to the user of a command-line tool, who gets our French
// message when something fails. Held back while Qt runs for us only.
struct SQtSilencieux {
    SQtSilencieux() : avant(qInstallMessageHandler(&taire)) {}
    ~SQtSilencieux() { qInstallMessageHandler(avant); }
    SQtSilencieux(const SQtSilencieux&) = delete;
    SQtSilencieux& operator=(const SQtSilencieux&) = delete;

    static void taire(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler avant;
};

} // namespace

std::optional<std::string> imprimerEnPdf(CDoc& doc, const std::string& cheminPdf, const SMiseEnPagePdf& mise,
                                         CSuiviImpression* suivi)
{
    // Fonts need a QGuiApplication; a plain QCoreApplication cannot be replaced by one.
    int argc = 3;
    char nom[] = "norvanel", option[] = "-platform", plateforme[] = "offscreen";
    char* argv[] = {nom, option, plateforme, nullptr};
    std::unique_ptr<QGuiApplication> application;
    std::unique_ptr<SQtSilencieux> silence;
    if (!QCoreApplication::instance()) {
        silence = std::make_unique<SQtSilencieux>();
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return std::string("L'impression a besoin de l'interface graphique de Qt, "
                           "que ce programme n'a pas démarrée.");

    const std::string debut = "Impossible d'écrire le fichier " + entreGuillemets(cheminPdf);
    std::string cible;
    if (auto resolu = resoudreCheminEcrit(cheminPdf, cible); !resolu)
        return debut + " : " + resolu.raison() + ".";
    if (estLeCatalogue(doc, cheminPdf))
        return debut + " : c'est le catalogue lui-même ; choisissez un autre nom pour le PDF.";
    if (estUnCatalogue(cible))
        return debut + " : c'est un catalogue ; choisissez un autre nom pour le PDF.";
    // The safe write: a failure never leaves a half-written PDF nor spoils the
    // previous file, and a file with links, ACLs or another owner keeps them.
    try {
        const auto echec = ecrireFichierSur(cheminPdf, [&doc, &mise, suivi](CSortie& sortie) {
            CAppareilSortie appareil(sortie);
            if (auto erreur = ecrirePages(doc, appareil, mise, suivi))
                throw SPagesImpossibles{*erreur};
        });
        if (echec)
            return texteEchecEcriture(debut, *echec);
    } catch (const SPagesImpossibles& e) {
        // Cancelled: nothing was written, which the one who cancelled knows.
        if (e.raison == kImpressionAnnulee)
            return e.raison;
        return "Impression de " + entreGuillemets(cheminPdf) + " impossible : " + e.raison;
    }
    return std::nullopt;
}
