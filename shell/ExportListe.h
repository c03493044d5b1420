#pragma once
// "Exporter..." of the lists: a save dialog offering a CSV file or an HTML page, then
// the list written (storage/ExportFichier.h); a failure is told to the user.

#include <functional>

#include <QString>

#include "platform/ExportTableau.h"

class CUtilisateur;
class QWidget;

// What the save dialog gave; an empty path: cancelled.
struct SChoixExport {
    QString chemin;
    EFormatExport format = EFormatExport::Csv;
};
using DialogueExport = std::function<SChoixExport(QWidget* parent)>;

// The save dialog: "Fichier CSV (*.csv)" or "Page HTML (*.html)", the extension added
// when the name has none.
SChoixExport dialogueExport(QWidget* parent);

void exporterListe(QWidget* parent, CUtilisateur& utilisateur, const STableauExporte& tableau,
                   const DialogueExport& dialogue);
