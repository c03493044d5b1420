#pragma once
// The Linux services, with the program's dialogs: message boxes titled "Norvanel" and
// the folder picker; the desktop opener is waited for without freezing the windows.

#include "platform/linux/CPlateformeLinux.h"

class QWidget;

class CPlateformeQt : public CPlateformeLinux {
public:
    std::optional<std::string> choisirDossier(const std::string& titre) override;
    EReponse message(const std::string& texte, EBoutons boutons, EIcone icone) override;

    // A busy cursor while the opener runs.
    bool ouvrir(const std::string& chemin) override;

    // The window the dialogs belong to (the main window), or none.
    void definirFenetre(QWidget* fenetre) { fenetre_ = fenetre; }

protected:
    // The windows keep painting, and timers run, while the opener is waited for; what
    // the user types or clicks waits until it is done.
    void patienter(std::chrono::milliseconds pause) override;

private:
    QWidget* fenetre_ = nullptr;
};
