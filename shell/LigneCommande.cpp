#include "shell/LigneCommande.h"

#include <QFileInfo>

#include "platform/Version.h"

namespace {

enum class EOptionQt { Aucune, Seule, AvecValeur };

// The options the Qt application (and its X11 platform) takes out of the command line,
// with one dash or two; "-style=fusion" is the one-word form of a few of them.
EOptionQt optionQt(QString a)
{
    if (a.startsWith(QStringLiteral("--")))
        a.remove(0, 1);
    static const QStringList avecValeur = {
        QStringLiteral("-platform"), QStringLiteral("-platformpluginpath"), QStringLiteral("-platformtheme"),
        QStringLiteral("-plugin"), QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowicon"),
        QStringLiteral("-qwindowtitle"), QStringLiteral("-session"), QStringLiteral("-style"),
        QStringLiteral("-stylesheet"), QStringLiteral("-display"), QStringLiteral("-geometry"),
        QStringLiteral("-title"), QStringLiteral("-icon"), QStringLiteral("-name"), QStringLiteral("-visual")};
    static const QStringList seules = {QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                                       QStringLiteral("-testability"), QStringLiteral("-nograb"),
                                       QStringLiteral("-dograb")};
    if (avecValeur.contains(a))
        return EOptionQt::AvecValeur;
    if (seules.contains(a) || a.startsWith(QStringLiteral("-style=")) ||
        a.startsWith(QStringLiteral("-stylesheet=")) || a.startsWith(QStringLiteral("-qmljsdebugger=")))
        return EOptionQt::Seule;
    return EOptionQt::Aucune;
}

SLigneCommande erreur(const QString& message)
{
    SLigneCommande ligne;
    ligne.action = SLigneCommande::EAction::Erreur;
    ligne.message = message;
    return ligne;
}

} // namespace

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
        } else if (!finOptions && (a == QStringLiteral("--version") || a == QStringLiteral("-v"))) {
            ligne.action = SLigneCommande::EAction::Version;
            return ligne;
        } else if (!finOptions && (a == QStringLiteral("--print") || a == QStringLiteral("-p"))) {
            if (i + 1 >= arguments.size())
                return erreur(QStringLiteral("--print attend un fichier."));
            ligne.action = SLigneCommande::EAction::Imprimer;
            ligne.fichiers.append(QFileInfo(arguments.at(++i)).absoluteFilePath());
        } else if (!finOptions && optionQt(a) != EOptionQt::Aucune) {
            // Qt reads the value whatever it looks like; so do we.
            if (optionQt(a) == EOptionQt::AvecValeur && i + 1 < arguments.size()) {
                const QString& valeur = arguments.at(++i);
                if (a.endsWith(QStringLiteral("-platform")))
                    ligne.plateforme = valeur;
                else if (a.endsWith(QStringLiteral("-display")))
                    ligne.affichage = valeur;
            }
        } else if (!finOptions && a.startsWith(u'-') && a.size() > 1) {
            return erreur(QStringLiteral("Option inconnue : %1").arg(a));
        } else {
            if (ligne.action == SLigneCommande::EAction::Imprimer)
                return erreur(QStringLiteral("--print imprime un seul fichier."));
            ligne.action = SLigneCommande::EAction::Ouvrir;
            ligne.fichiers.append(QFileInfo(a).absoluteFilePath());
        }
    }
    if (ligne.action == SLigneCommande::EAction::Imprimer && ligne.fichiers.size() != 1)
        return erreur(QStringLiteral("--print imprime un seul fichier."));
    return ligne;
}

QString texteUsage()
{
    return QStringLiteral(
        "Usage : norvanel [FICHIER.kbt...]\n"
        "        norvanel --print FICHIER.kbt\n"
        "        norvanel --help | --version\n");
}

QString texteAide()
{
    return texteUsage() + QStringLiteral(
        "\n"
        "Sans argument, Norvanel s'ouvre sur une nouvelle liste. Les fichiers donnés\n"
        "s'ouvrent chacun dans sa fenêtre ; si Norvanel tourne déjà, c'est lui qui les ouvre.\n"
        "--print imprime la liste sur l'imprimante par défaut, sans fenêtre ; il fonctionne\n"
        "aussi sans affichage (ni DISPLAY ni WAYLAND_DISPLAY), les messages allant alors\n"
        "sur la sortie d'erreur.\n"
        "-h, --help     affiche cette aide\n"
        "-v, --version  affiche la version\n"
        "\n"
        "Codes de sortie : 0 réussite, 1 mauvais usage ou impression impossible,\n"
        "2 catalogue illisible, 3 aucun affichage disponible.\n");
}

QString texteVersion()
{
    return QStringLiteral("Norvanel version %1\n").arg(QString::fromUtf8(kVersionNorvanel));
}
