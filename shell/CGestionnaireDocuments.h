#pragma once
// Our small document framework: new documents titled "Liste1", "Liste2"..., opening
// (a file already open only comes forward), saving, saving under another name, the
// question before a modified document closes, and the recent-file list. Loading and
// saving go through the catalogue file layer, whose French message is shown when
// they fail; nothing is lost then. A catalogue's kept quick-search index is read when
// it opens and written after it is saved.

#include <functional>
#include <string>

#include <QObject>
#include <QString>

#include "search/CFilDeTravail.h"

class CChildFrame;
class CDoc;
class CMainFrame;
struct SServicesFenetres;

class CGestionnaireDocuments : public QObject {
    Q_OBJECT
public:
    CGestionnaireDocuments(const SServicesFenetres& services, CMainFrame& cadre);

    // A new document with one binder "Général", in a new window.
    CChildFrame* nouveau();
    // Opens `chemin` in a new window, or brings forward the window that shows it.
    // nullptr when the file cannot be read: the message has been shown, or, given
    // `echec`, put there for the caller to gather with others.
    CChildFrame* ouvrir(const QString& chemin, std::string* echec = nullptr);
    // The file dialog, then ouvrir().
    void ouvrirAvecDialogue();
    // Saves under the document's path, or asks for one. True when saved.
    bool enregistrer(CChildFrame& cadre);
    bool enregistrerSous(CChildFrame& cadre);
    // Before a modified document closes: "Enregistrer", "Ne pas enregistrer" or
    // "Annuler". True when the window may close.
    bool demanderEnregistrement(CChildFrame& cadre);
    // Asks for each modified document, then closes every window. False when the user
    // cancelled (then nothing more closes).
    bool fermerTout();

    // The window showing the file `chemin`, or none.
    CChildFrame* cadreDe(const QString& chemin) const;

    // The file dialogs; the tests answer them.
    std::function<QString()> dialogueOuvrir;
    std::function<QString(const QString& propose)> dialogueEnregistrer;

private:
    CChildFrame* ajouterCadre(CChildFrame* cadre);
    // Saves to `chemin`, asking first when another program changed the file since; the
    // failure is shown. True when saved.
    bool enregistrerVers(CDoc& doc, const std::string& chemin);
    void signaler(const std::string& message);

    const SServicesFenetres& services_;
    CMainFrame& cadre_;
    int compteur_ = 0;
    // Where the catalogues' kept indexes go (none: no index read nor written).
    std::string dossierCache_;
    // Writes the index of a catalogue just saved, off the interface thread; the last
    // ones are finished before the program ends.
    CFilDeTravail filIndex_;
};
