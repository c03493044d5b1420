#pragma once
// The search results window, 111 "Résultats de la recherche": the program registers it
// as the application's search results list for as long as it exists, so that the
// search fills it and every file entry destroyed leaves it.

#include "model/CResultatsRecherche.h"
#include "ui/CResultatsDlg.h"

#include <string>

// The window's title while it shows the application's search, and while it shows the
// quick search's answer to `texte` (the field's text as typed).
QString titreResultatsRecherche();
QString titreResultatsRapides(const std::string& texte);

class CResultatsRechercheDlg final : public CResultatsDlg, private CResultatsRecherche {
    Q_OBJECT
public:
    CResultatsRechercheDlg(const QIcon& icone, const QList<QIcon>& imagesTri, QWidget* parent);

    // The window as the list a search fills.
    CResultatsRecherche& commeResultats() { return *this; }

    // The search's list operations are the window's own.
    void vider() override { CResultatsDlg::vider(); }
    void ajouterLigne(CFichier* fichier) override { CResultatsDlg::ajouterLigne(fichier); }
    void retrier() override { CResultatsDlg::retrier(); }
    void retirerFichier(const CFichier* fichier) override { CResultatsDlg::retirerFichier(fichier); }
    void retirerFichiers(const std::vector<const CFichier*>& fichiers) override { CResultatsDlg::retirerFichiers(fichiers); }
};
