#pragma once
// The window program's start: the command line, the choice of a display, Qt's own
// dialogs in French, the hand-over to a program already running, the application
// object and the event loop.

class QApplication;
class QByteArray;

// Loads Qt's French translation (its dialog buttons: "Annuler", "Enregistrer"...).
// False when it is not installed (Debian package qt6-translations-l10n). Where the
// desktop sets no language, French becomes the program's default locale too, so that
// Qt's dialogs (file, page setup) show French dates, numbers and units.
bool installerTraductionQt(QApplication& application);

// True when the language the environment gives (LC_ALL, else LC_MESSAGES, else LANG:
// the first one set) is none, "C" or "POSIX", with or without a code set.
bool localeDuBureauAbsente(const QByteArray& lcAll, const QByteArray& lcMessages, const QByteArray& lang);

// The whole run from main(): the command line first (--help, --version and a misuse
// need no display), then the Qt application where a display or --print allows one.
// The program's exit code.
int lancerNorvanel(int& argc, char** argv);
