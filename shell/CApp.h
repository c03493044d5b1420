#pragma once
// The application object: it starts the program in order (the image lists, the
// search criteria, the settings and recent files, the main window, the command line,
// the two hidden result windows), owns what every window shares, and carries the
// commands that belong to no document ("&Nouveau", "&Ouvrir...", printer set-up,
// "Filtre &recherche", the about box). One at a time; a test may make several in turn.

#include <functional>
#include <memory>

#include <QObject>
#include <QStringList>

#include "ui/CCibleCommandes.h"
#include "ui/CSignalementErreurs.h"
#include "workspace/CContexte.h"

class CExecuteurTravauxQt;
class CAccesReglages;
class CChildFrame;
class CDoc;
class CFichier;
class CComparaisonDlg;
class CResultatsDlg;
class CFichiersRecents;
class CGestionnaireDocuments;
class CHoteResultatsQt;
class CImagesApplication;
class CInstanceUnique;
class CMainFrame;
class CPlateforme;
class CPlateformeQt;
class CImpressionsQt;
class CRechercheRapide;
class CRequete;
class CSuiviTravailQt;
class CUtilisateur;
class CUtilisateurQt;
class QPrinter;
struct SLigneCommande;
struct SServicesFenetres;

struct SOptionsApplication {
    // Take the files of later starts (a local socket named serveur).
    bool instanceUnique = false;
    QString serveur;
    // Messages on the standard error, not in boxes: --print on a platform without a screen.
    bool messagesSurConsole = false;
};

class CApp : public QObject, public CCibleCommandes {
    Q_OBJECT
public:
    // The open documents, the current binder, the search and its results windows.
    CContexte& contexte() { return contexte_; }
    // Who the program talks to: message boxes, dialogs, the capture's progress.
    CUtilisateur& utilisateur();
    explicit CApp(SOptionsApplication options = {});
    ~CApp() override;

    // Runs the command line and shows the main window. False when the program is to
    // stop at once (a failed start-up, or --print done); codeSortie() then says how.
    bool demarrer(const SLigneCommande& ligne);
    int codeSortie() const { return codeSortie_; }

    CMainFrame& cadre() { return *cadre_; }
    // What the windows are handed of the program.
    const SServicesFenetres& servicesFenetres() const { return *services_; }
    CGestionnaireDocuments& documents() { return *documents_; }
    const CImagesApplication& images() const { return *images_; }
    CSuiviTravailQt& suivi();
    // Runs the captures off the interface thread.
    CExecuteurTravauxQt& travaux() { return *travaux_; }
    // Prints off the interface thread, one document at a time.
    CImpressionsQt& impressions() { return *impressions_; }
    CFichiersRecents& recents() { return *recents_; }
    CAccesReglages& reglages() { return *reglages_; }
    QPrinter& imprimante();
    CResultatsDlg& resultatsRecherche() { return *resultatsRecherche_; }
    CHoteResultatsQt& hoteResultats() { return *hoteResultats_; }
    CComparaisonDlg& resultatsComparaison() { return *resultatsComparaison_; }
    CRechercheRapide& rechercheRapide() { return *rechercheRapide_; }
    // Where what failed outside the usual messages is told, one box at a time.
    CSignalementErreurs& signalement() { return signalement_; }

    // The search sheet and the compare wizard plug in here; until then their commands
    // are unavailable.
    void definirRecherche(std::function<void(CChildFrame&)> recherche);
    void definirComparaison(std::function<void(CRequete* premiere)> comparaison);
    bool rechercheDisponible() const { return static_cast<bool>(recherche_); }
    bool comparaisonDisponible() const { return static_cast<bool>(comparaison_); }
    void rechercher(CChildFrame& cadre);
    void comparer(CRequete* premiere);
    void afficherResultatsRecherche();
    // Enter in the quick search's field: the results window, its first row current.
    void allerAuxResultatsRapides();
    void afficherResultatsComparaison();

    // "Filtre recherche": the switch flips and every open document lists its
    // selection again.
    void basculerFiltreRecherche();
    void afficherAPropos();
    // A document window came forward: its document becomes the current one.
    void documentActive(CChildFrame& cadre);
    // Files handed by a later start of the program, or dropped on the main window:
    // each opened (after the capture under way, if any), the main window brought
    // forward; those that could not be, named together in one message.
    void ouvrirFichiersTransmis(const QStringList& fichiers);

private:
    // What the windows are handed of the program; before the main window.
    void creerServicesFenetres();
    void definirCommandes();
    void configurerImpression();
    void brancherRechercheRapide();
    int imprimerSansFenetre(const QString& chemin);

    SOptionsApplication options_;
    CSignalementErreurs signalement_;
    // Outlives the documents and the results windows, which it knows.
    CContexte contexte_;
    CPlateforme* plateformePrecedente_;
    std::unique_ptr<CImagesApplication> images_;
    std::unique_ptr<CPlateformeQt> plateforme_;
    std::unique_ptr<CUtilisateurQt> utilisateur_;
    std::unique_ptr<CAccesReglages> reglages_;
    std::unique_ptr<CFichiersRecents> recents_;
    std::unique_ptr<QPrinter> imprimante_;
    // Outlives every window, which holds it.
    std::unique_ptr<SServicesFenetres> services_;
    std::unique_ptr<CMainFrame> cadre_;
    std::unique_ptr<CGestionnaireDocuments> documents_;
    // Gone first: the jobs still running are cancelled while their documents exist.
    std::unique_ptr<CExecuteurTravauxQt> travaux_;
    // Gone first too: a print still running is cancelled while its document and the
    // printer exist.
    std::unique_ptr<CImpressionsQt> impressions_;
    // Before the documents and the windows go, so that neither reaches it.
    std::unique_ptr<CRechercheRapide> rechercheRapide_;
    // How the results windows reach the document windows.
    std::unique_ptr<CHoteResultatsQt> hoteResultats_;
    CResultatsDlg* resultatsRecherche_ = nullptr;
    CComparaisonDlg* resultatsComparaison_ = nullptr;
    // Only compared, never followed: the document last activated.
    const CDoc* documentActif_ = nullptr;
    CInstanceUnique* instance_ = nullptr;
    std::function<void(CChildFrame&)> recherche_;
    std::function<void(CRequete*)> comparaison_;
    int codeSortie_ = 0;
};
