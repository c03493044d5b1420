#pragma once
// The window program's start: Qt's own dialogs in French, the command line, the hand-
// over to a program already running, the application object and the event loop.

class QApplication;

// Loads Qt's French translation (its dialog buttons: "Annuler", "Enregistrer"...).
// False when it is not installed (Debian package qt6-translations-l10n).
bool installerTraductionQt(QApplication& application);

// Everything after QApplication's creation; the program's exit code.
int executerNorvanel(QApplication& application);
