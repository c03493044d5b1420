#pragma once
// What the main window, the document windows and their panes need of the program,
// handed to them when they are made: what every window shares, and, as calls, the
// commands of the windows above them. A window thus knows only those below it: the
// program knows the main window, which knows the document windows, which know their
// panes.

#include <functional>
#include <string>

#include <QStringList>

class CAccesReglages;
class CChildFrame;
class CContexte;
class CExecuteurTravauxQt;
class CFichiersRecents;
class CImagesApplication;
class CImpressionsQt;
class CRequete;
class CSignalementErreurs;
class CSuiviTravailQt;
class CUtilisateur;
class QAction;
struct STableauExporte;
class QPrinter;

struct SServicesFenetres {
    CContexte& contexte;
    CUtilisateur& utilisateur;
    const CImagesApplication& images;
    // The window of a long operation on the interface thread.
    CSuiviTravailQt& suivi;
    // Made after the main window, which they report to.
    std::function<CExecuteurTravauxQt&()> executeur;
    std::function<CImpressionsQt&()> imprimeur;
    CFichiersRecents& recents;
    CAccesReglages& reglages;
    CSignalementErreurs& signalement;
    std::function<QPrinter&()> imprimantePartagee;

    // The main window's: the shared action of a command, a command run through the
    // route, the commands' states refreshed now or once back in the event loop.
    std::function<QAction*(int id)> actionDeCommande;
    std::function<void(int id)> lancerCommande;
    std::function<void()> actualiserCommandes;
    std::function<void()> actualiserCommandesPlusTard;

    // The program's.
    std::function<bool()> peutRechercher;
    std::function<void(CChildFrame&)> ouvrirRecherche;
    std::function<bool()> peutComparer;
    std::function<void(CRequete* premiere)> ouvrirComparaison;
    std::function<void()> montrerResultatsRecherche;
    std::function<void()> montrerResultatsComparaison;
    std::function<void(CChildFrame&)> cadreActive;
    std::function<void(const QStringList&)> ouvrirFichiersRecus;
    // "&Exporter..." of a list: asks where, then writes it.
    std::function<void(const STableauExporte&)> exporterListe;

    // The documents' (CGestionnaireDocuments).
    std::function<bool(CChildFrame&)> enregistrerDocument;
    std::function<bool(CChildFrame&)> enregistrerDocumentSous;
    std::function<bool(CChildFrame&)> accepterFermeture;
    std::function<void(const QString& chemin)> ouvrirRecent;
    std::function<bool()> fermerDocuments;
};
