#include "shell/ExportListe.h"

#include <QFileDialog>
#include <QFileInfo>

#include "model/CUtilisateur.h"
#include "storage/ExportFichier.h"
#include "ui/CheminsQt.h"

namespace {

const QString kCsv = QStringLiteral("Fichier CSV (*.csv)");
const QString kHtml = QStringLiteral("Page HTML (*.html)");

} // namespace

SChoixExport dialogueExport(QWidget* parent)
{
    QString filtre = kCsv;
    QString chemin = QFileDialog::getSaveFileName(parent, QStringLiteral("Exporter la liste"), QString(),
                                                  kCsv + QStringLiteral(";;") + kHtml, &filtre);
    if (chemin.isEmpty())
        return {};
    const bool html = filtre == kHtml;
    if (QFileInfo(chemin).suffix().isEmpty())
        chemin += html ? QStringLiteral(".html") : QStringLiteral(".csv");
    return {chemin, html ? EFormatExport::Html : EFormatExport::Csv};
}

void exporterListe(QWidget* parent, CUtilisateur& utilisateur, const STableauExporte& tableau,
                   const DialogueExport& dialogue)
{
    const SChoixExport choix = dialogue(parent);
    if (choix.chemin.isEmpty())
        return;
    if (const auto echec = exporterTableau(tableau, choix.format, cheminCatalogue(choix.chemin)))
        utilisateur.message(*echec, EBoutons::Ok, EIcone::Exclamation);
}
