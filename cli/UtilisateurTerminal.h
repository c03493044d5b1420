#pragma once
// The user of the command-line tool: messages on stderr, no folder picker and no
// dialog, the capture progress on the terminal while the command shows it.

#include "model/CUtilisateur.h"

class CUtilisateurTerminal : public CUtilisateur {
public:
    // The text goes to stderr, prefixed "Norvanel: "; nobody answers (OK to a plain
    // message, Cancel or No to a question).
    EReponse message(const std::string& texte, EBoutons boutons, EIcone icone) override;
    CSuiviCapture* suiviCapture() override { return suivi; }
    int filsCapture() override { return fils; }

    // Set by the command running, for as long as it needs them.
    CSuiviCapture* suivi = nullptr;
    int fils = 0;  // --threads, 0 when not given
};

// The one main() installs.
CUtilisateurTerminal& terminal();
