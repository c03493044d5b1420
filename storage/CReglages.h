#pragma once
// The program's settings file, $XDG_CONFIG_HOME/VESKA/Norvanel.conf (by default
// ~/.config/VESKA/Norvanel.conf), in the INI layout of QSettings:
//
//   [Recent%20File%20List]
//   File1=/most/recent.kbt
//   ...
//   File4=/oldest.kbt
//
//   [Settings]
//   PreviewPages=2
//
// The program keeps the recent-file list there and only reads PreviewPages. Anything
// else the file holds is kept as it is. It is replaced through the same safe path as
// a catalogue (EcritureSure.h). A file that cannot be read whole as settings is
// ignored: the defaults are used, and the file stays untouched until a change is saved.

#include <string>
#include <vector>

#include "platform/Resultat.h"

class CReglages {
public:
    static constexpr std::size_t kNombreRecents = 4;

    // $XDG_CONFIG_HOME/VESKA/Norvanel.conf when that variable holds an absolute path,
    // else under $HOME/.config (the account's home folder when HOME is unset).
    static std::string cheminParDefaut();

    explicit CReglages(std::string chemin = cheminParDefaut());

    const std::string& chemin() const { return chemin_; }

    // Reads the file. No file is no problem. A file that cannot be read, or not read
    // whole, leaves the defaults and gives the French message to show.
    CResultat<> charger();

    // Writes the settings if they changed since loaded or saved, creating the folder
    // when needed (mode 0700). The French message on failure; the change is kept, to be
    // saved next time.
    CResultat<> enregistrer();

    // Most recent first, at most four, each path exactly as given.
    const std::vector<std::string>& fichiersRecents() const { return recents_; }
    // Puts `chemin` first (an earlier place of the same bytes is dropped, and what passes
    // four). False when nothing changed.
    bool ajouterRecent(const std::string& chemin);
    // Drops `chemin` (a file that could not be opened). False when it was not there.
    bool retirerRecent(const std::string& chemin);

    // Pages shown side by side in print preview; 0 when absent.
    int pagesApercu() const { return pagesApercu_; }

    bool estModifie() const { return modifie_; }

private:
    // One line of the file we keep as it was, under its section.
    struct SLigne {
        std::string clef;  // decoded; empty for a comment
        std::string brut;
    };
    struct SSection {
        std::string nom;     // decoded; empty before the first header
        std::string entete;  // the header line as read
        std::vector<SLigne> lignes;
    };

    CResultat<> lire(const std::string& contenu);
    std::string texte() const;

    std::string chemin_;
    std::vector<std::string> recents_;
    int pagesApercu_ = 0;
    std::vector<SSection> sections_;
    bool modifie_ = false;
};
