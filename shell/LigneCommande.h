#pragma once
// The window program's command line: nothing (a new empty document), catalogue files
// to open, or "--print FICHIER" (print it on the default printer and stop).

#include <QString>
#include <QStringList>

struct SLigneCommande {
    enum class EAction { Nouveau, Ouvrir, Imprimer, Aide, Erreur };
    EAction action = EAction::Nouveau;
    QStringList fichiers;   // Ouvrir, Imprimer: absolute paths
    QString message;        // Erreur: what is wrong, in French
};

// `arguments` without the program name (Qt's own options already taken out).
SLigneCommande analyserLigneCommande(const QStringList& arguments);

// The usage text of --help.
QString texteAide();
