#pragma once
// The Linux services, with the program's dialogs: message boxes titled "Norvanel" and
// the folder picker.

#include "platform/linux/CPlateformeLinux.h"

class QWidget;

class CPlateformeQt : public CPlateformeLinux {
public:
    std::optional<std::string> choisirDossier(const std::string& titre) override;
    EReponse message(const std::string& texte, EBoutons boutons, EIcone icone) override;

    // The window the dialogs belong to (the main window), or none.
    void definirFenetre(QWidget* fenetre) { fenetre_ = fenetre; }

private:
    QWidget* fenetre_ = nullptr;
};
