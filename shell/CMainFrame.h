#pragma once
// The main window: the document windows in a multiple-document area, menu 100 while
// no document is open and menu 101 while one is, toolbar 100 and the status bar. It
// routes every command to the active view, its document window, itself, then the
// application, and keeps each menu item and button enabled and checked as the first
// target that knows the command says. It handles the window commands itself (quit,
// bars, window arrangement, next pane, recent files) and opens files dropped on it.

#include <map>
#include <string>
#include <vector>

#include <QMainWindow>

#include "ui/CCibleCommandes.h"

class CBarreEtat;
class CChildFrame;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class CToolBarEx;
class CChampRechercheRapide;
struct SServicesFenetres;

class CMainFrame : public QMainWindow, public CCibleCommandes {
    Q_OBJECT
public:
    // `application`: the last target of the command route, for the commands that
    // belong to no window.
    CMainFrame(const SServicesFenetres& services, CCibleCommandes& application);
    ~CMainFrame() override;

    QMdiArea& zoneMdi() { return *zone_; }
    CChildFrame* cadreActif() const;
    // Every document window, in the order they were opened.
    QList<CChildFrame*> cadres() const;

    // The action of command `id` (shared by the menus, the toolbar and the keys), or none.
    QAction* action(int id) const;
    CToolBarEx& barreOutils() { return *barre_; }
    CChampRechercheRapide& champRechercheRapide() { return *champ_; }
    CBarreEtat& barreEtat() { return *etat_; }
    // True while menu 101 (a document is open) is shown.
    bool menuDocumentAffiche() const { return menuDocument_; }
    // The window menu, whose list of windows is added when it opens.
    QMenu* menuFenetre() const { return menuFenetre_; }

    // Runs `id` through the command route, then refreshes the commands' states.
    void executer(int id);
    // Enabled and checked states, the menu for the document state, the title.
    void mettreAJourCommandes();
    // The same, once control returns to the event loop.
    void planifierMiseAJour();
    void actualiserFichiersRecents();
    // The keys of the menus and Ctrl+F work in `fenetre` too (a results window), with
    // the same enabled states. F6 stays with the document windows' panes.
    void partagerRaccourcis(QWidget& fenetre);

signals:
    // The window closed for good ("Quitter", or its close box, every document closed).
    void ferme();

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void dragEnterEvent(QDragEnterEvent* evenement) override;
    void dropEvent(QDropEvent* evenement) override;

private:
    void creerActions();
    void definirCommandes();
    QMenu* creerMenu(const QString& titre, std::initializer_list<int> ids);
    void creerMenus();
    void creerBarreOutils();
    void afficherMenus(bool document);
    void actualiserMenuFenetre();
    void actualiserTitre();
    void reorganiserIcones();
    // "La commande « Mettre à jour »", for a message about command `id`.
    std::string nomCommande(int id) const;
    std::vector<CCibleCommandes*> route();
    void surActivation(QMdiSubWindow* fenetre);

    const SServicesFenetres& services_;
    CCibleCommandes& application_;
    QMdiArea* zone_;
    CBarreEtat* etat_;
    CToolBarEx* barre_ = nullptr;
    CChampRechercheRapide* champ_ = nullptr;
    std::map<int, QAction*> actions_;
    std::vector<QAction*> recents_;
    QAction* aucunRecent_ = nullptr;
    // Ctrl+F: the main window comes forward and the quick-search field takes the keyboard.
    QAction* chercherRapide_ = nullptr;
    QList<QMenu*> menus100_;
    QList<QMenu*> menus101_;
    QMenu* menuFenetre_ = nullptr;
    QList<QAction*> actionsFenetres_;
    bool menuDocument_ = false;
    bool menusPlaces_ = false;
    QTimer* miseAJour_;
};
