#pragma once
// The window program's command line: nothing (a new empty document), catalogue files
// to open, "--print FICHIER" (print it on the default printer and stop), --help or
// --version. Read before the Qt application exists, so that what needs no window runs
// without a display.

#include <QString>
#include <QStringList>

struct SLigneCommande {
    enum class EAction { Nouveau, Ouvrir, Imprimer, Aide, Version, Erreur };
    EAction action = EAction::Nouveau;
    QStringList fichiers;   // Ouvrir, Imprimer: absolute paths
    QString message;        // Erreur: what is wrong, in French
    // Qt's own -platform and -display, when given: they decide where the windows go.
    QString plateforme;
    QString affichage;
};

// `arguments` as the program got them, without its name. Qt's own options
// (-platform offscreen, -style fusion, -display :1...) are stepped over: the Qt
// application takes them later.
SLigneCommande analyserLigneCommande(const QStringList& arguments);

// The usage lines, what an error shows under its message.
QString texteUsage();
// The whole text of --help.
QString texteAide();
// The text of --version.
QString texteVersion();
