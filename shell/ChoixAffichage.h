#pragma once
// Where the window program's windows can go, decided before the Qt application is made:
// Qt aborts, with an English message, when its platform finds no display.

#include <QString>
#include <string>

struct SLigneCommande;

// The exit code of a start that found no display to show its windows on.
inline constexpr int kCodeSansAffichage = 3;

// What the environment says about displays.
struct SEnvironnementAffichage {
    QString plateformeQt;   // QT_QPA_PLATFORM
    QString x11;            // DISPLAY
    QString wayland;        // WAYLAND_DISPLAY
};

SEnvironnementAffichage lireEnvironnementAffichage();

enum class EAffichage {
    Ordinaire,   // Qt's platform, as the user or the desktop chose it
    OrdinaireSinonHorsEcran,   // --print with a display: on it if it opens, else offscreen
    HorsEcran,   // no display, nothing to show: Qt's offscreen platform (--print)
    Aucun,       // no display for windows: the start stops, saying so
};

EAffichage choisirAffichage(const SLigneCommande& ligne, const SEnvironnementAffichage& environnement);

// Why the start stops, in French, one line each: no display at all; a display or
// platform that Qt could not open (what was tried is named).
std::string texteSansAffichage();
std::string texteAffichageInjoignable(const SLigneCommande& ligne, const SEnvironnementAffichage& environnement);

// A platform without a screen (offscreen, minimal): nobody sees a window, nobody
// answers a message box.
bool plateformeSansEcran(const QString& nom);
