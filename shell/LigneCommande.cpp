#include "shell/LigneCommande.h"

#include <QFileInfo>

SLigneCommande analyserLigneCommande(const QStringList& arguments)
{
    SLigneCommande ligne;
    bool finOptions = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (!finOptions && a == QStringLiteral("--")) {
            finOptions = true;
        } else if (!finOptions && (a == QStringLiteral("--help") || a == QStringLiteral("-h"))) {
            ligne.action = SLigneCommande::EAction::Aide;
            return ligne;
        } else if (!finOptions && (a == QStringLiteral("--print") || a == QStringLiteral("-p"))) {
            if (i + 1 >= arguments.size())
                return {SLigneCommande::EAction::Erreur, {}, QStringLiteral("--print attend un fichier.")};
            ligne.action = SLigneCommande::EAction::Imprimer;
            ligne.fichiers.append(QFileInfo(arguments.at(++i)).absoluteFilePath());
        } else if (!finOptions && a.startsWith(u'-') && a.size() > 1) {
            return {SLigneCommande::EAction::Erreur, {}, QStringLiteral("Option inconnue : %1").arg(a)};
        } else {
            if (ligne.action == SLigneCommande::EAction::Imprimer)
                return {SLigneCommande::EAction::Erreur, {},
                        QStringLiteral("--print imprime un seul fichier.")};
            ligne.action = SLigneCommande::EAction::Ouvrir;
            ligne.fichiers.append(QFileInfo(a).absoluteFilePath());
        }
    }
    if (ligne.action == SLigneCommande::EAction::Imprimer && ligne.fichiers.size() != 1)
        return {SLigneCommande::EAction::Erreur, {}, QStringLiteral("--print imprime un seul fichier.")};
    return ligne;
}

QString texteAide()
{
    return QStringLiteral(
        "Usage : norvanel [FICHIER.kbt...]\n"
        "        norvanel --print FICHIER.kbt\n"
        "\n"
        "Sans argument, Norvanel s'ouvre sur une nouvelle liste. Les fichiers donnés\n"
        "s'ouvrent chacun dans sa fenêtre ; si Norvanel tourne déjà, c'est lui qui les ouvre.\n"
        "--print imprime la liste sur l'imprimante par défaut, sans fenêtre.\n");
}
