#pragma once
// The program's message boxes and folder chooser, for the windows that ask the user
// themselves (a dialog checking its fields) and for the window program's user.

#include <optional>
#include <string>

#include "model/CUtilisateur.h"

class QWidget;

// Titled "Norvanel", over `fenetre` or over the modal dialog on screen; Oui/Non in
// our own words. Returns the button chosen.
EReponse afficherMessage(QWidget* fenetre, const std::string& texte, EBoutons boutons, EIcone icone);
// A folder chosen by the user, or none.
std::optional<std::string> choisirDossier(QWidget* fenetre, const std::string& titre);
