#pragma once
// What the results windows ask of the window program: a file shown in its document's
// window, or opened with the desktop.

#include "shell/ExportListe.h"
#include "ui/CHoteResultats.h"

class CMainFrame;
class CUtilisateur;

class CHoteResultatsQt : public CHoteResultats {
public:
    CHoteResultatsQt(CMainFrame& cadre, CUtilisateur& utilisateur, CAnnonceTravailLong& annonce)
        : cadre_(cadre), utilisateur_(utilisateur), annonce_(annonce)
    {
    }

    void localiser(CFichier& fichier) override;
    void ouvrir(CFichier& fichier, bool dossierContenant) override;
    CAnnonceTravailLong& annonceTravailLong() override { return annonce_; }
    void exporter(const STableauExporte& tableau) override;

    // The save dialog of "Exporter..."; the tests answer it.
    DialogueExport dialogueExport = ::dialogueExport;

private:
    CMainFrame& cadre_;
    CUtilisateur& utilisateur_;
    CAnnonceTravailLong& annonce_;
};
