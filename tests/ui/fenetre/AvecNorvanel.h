#pragma once
// The fixture of the window tests: the application started as a user starts it with
// no argument (one new document "Liste1"), a responder for its dialogs, and helpers
// to reach the windows and to make catalogues and folder trees on disk.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include <QDialog>
#include <QModelIndex>
#include <QString>
#include <QTemporaryDir>

#include "shell/CApp.h"
#include "tests/commun/ConstructeurCatalogue.h"
#include "tests/ui/fenetre/Repondeur.h"

class CApp;
class CArboView;
class CClasseur;
class CDossier;
class QLineEdit;
class CChildFrame;
class CDoc;
class CElement;
class CMainFrame;
class QTreeView;

class AvecNorvanel : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame& cadre();
    CChildFrame& fenetre();            // the active document window
    CArboView& arbre();                // its tree
    CDoc& doc();                       // its document
    CContexte& contexte() { return app->contexte(); }

    // Runs command `id` as the menus and keys do.
    void executer(int id);
    // Runs command `id`; each time a dialog of ours is in front, the next step acts on
    // it. A step closes its dialog or leaves it for the next one (which may be the same
    // dialog, changed).
    void executerAvec(int id, std::deque<std::function<void(QDialog&)>> etapes);
    // Enabled state of command `id`, states refreshed first.
    bool actif(int id);
    bool coche(int id);

    // Labels of the children of `parent` (the root when invalid), in display order.
    QStringList libelles(const QModelIndex& parent = {});
    // The item of the tree showing `noeud`.
    QModelIndex indexDe(const CElement* noeud);
    void selectionner(const CElement* noeud);

    // A file under the test's own temporary folder (made if needed).
    QString chemin(const QString& relatif);
    void creerFichier(const QString& relatif, const QByteArray& contenu = {});
    // A catalogue file written by our own code: binders named `classeurs`, the first
    // holding a query over `dossier` when it is given.
    QString creerCatalogue(const QString& nom, const QStringList& classeurs, const QString& dossier = {});

    // The open label editor of the tree, or none.
    QLineEdit* editeurLibelle();
    // Types `texte` in the open label editor and presses Enter.
    void validerLibelle(const QString& texte);
    // A binder with queries named `requetes` (no capture), appended to the document;
    // the tree is rebuilt.
    CClasseur* ajouterClasseur(const std::string& nom, std::initializer_list<const char*> requetes = {});
    // The binders of `description` (ConstructeurCatalogue.h) appended to the window's
    // document, every file found, the tree rebuilt. The nodes stay reachable through
    // the result.
    CCatalogueConstruit ajouterCatalogue(const std::string& description);
    // A folder of a query's snapshot, with `fichiers` empty entries.
    CDossier* ajouterDossier(CDossier& parent, const std::string& nom);

    // A window's title as its title bar shows it: "[*]" is "*" while it is modified.
    static QString titreAffiche(const QWidget& fenetre);

    // Lets queued work (deferred renames, refreshed states) run.
    static void laisserTourner(int ms = 20);
    // Until the capture jobs under way have ended, their results in place.
    void attendreTravaux();

    std::unique_ptr<CApp> app;
    std::unique_ptr<CRepondeur> repondeur;
    QTemporaryDir dossier;
};

// The same, with the binders of `description` added to the window's document at set-up.
class AvecCatalogue : public AvecNorvanel {
protected:
    explicit AvecCatalogue(const char* description) : description_(description) {}
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        if (!HasFatalFailure())
            catalogue = ajouterCatalogue(description_);
    }

    CCatalogueConstruit catalogue;

private:
    const char* description_;
};

// A step of executerAvec on a dialog of class D; another dialog in front is a failure.
template <class D>
std::function<void(QDialog&)> etapeSur(std::function<void(D&)> etape)
{
    return [etape](QDialog& d) {
        auto* attendu = qobject_cast<D*>(&d);
        if (!attendu) {
            ADD_FAILURE() << "« " << d.windowTitle().toStdString() << " » en face, pas le dialogue attendu";
            d.reject();
            return;
        }
        etape(*attendu);
    };
}
