#pragma once
// The user of the window program: message boxes titled "Norvanel", the folder picker,
// the properties of a binder, query or folder and the parameters of a query, modal over
// the main window. The captures, run as jobs, have their own progress window.

#include "model/CUtilisateur.h"
#include "shell/CSuiviTravailQt.h"

class QWidget;

class CUtilisateurQt : public CUtilisateur {
public:
    EReponse message(const std::string& texte, EBoutons boutons, EIcone icone) override;
    std::optional<std::string> choisirDossier(const std::string& titre) override;
    void afficherProprietes(const SProprietes& proprietes) override;
    bool editerParametres(CRequete& requete, bool creation) override;
    // On the main window's status bar: "1 234 fichiers trouvés".
    void rechercheFaite(std::size_t trouves) override;

    // The window the dialogs belong to (the main window), or none.
    void definirFenetre(QWidget* fenetre) { fenetre_ = fenetre; }
    // Messages on the standard error instead of in boxes, where no one could answer a
    // box (printing without a screen); a question then gets its cautious answer.
    void definirConsole(bool console) { console_ = console; }
    CSuiviTravailQt& suivi() { return suivi_; }

private:
    QWidget* fenetre_ = nullptr;
    bool console_ = false;
    CSuiviTravailQt suivi_;
};
