#pragma once
// The window program's print jobs, one at a time since they share the printer. The
// pages are drawn on a thread of their own while the windows stay live; past a delay
// the progress window shows the pages done and takes "Annuler"; the document takes no
// command and does not close until the job ends.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>
#include <QString>

class CBarreEtat;
class CDoc;
class CDialogueProgression;
class CSuiviImpression;
class QPrinter;
class QWidget;

class CImpressionsQt : public QObject {
public:
    using FonctionFin = std::function<void(const std::optional<std::string>& erreur)>;

    // `barre` tells why the document's commands are off, naming it by `titreDe`.
    CImpressionsQt(CBarreEtat* barre, std::function<QString(const CDoc*)> titreDe);
    // A job still running is cancelled and waited for; its end is not told.
    ~CImpressionsQt() override;

    bool enCours() const { return job_ != nullptr; }
    // True while a job prints `doc`.
    bool imprime(const CDoc* doc) const;
    // The status bar says again which document the job holds (a close was refused).
    void rappeler();

    // Prints `doc` on `imprimante` (imprimerDocument()); both are left alone by the
    // interface until the end. The progress window belongs to `fenetre` and appears
    // after `delaiAffichage` milliseconds. `fin` is told on the interface thread, with
    // nullopt once printed or the French message. False, and nothing started, while
    // another job runs.
    bool lancer(CDoc& doc, QPrinter& imprimante, QWidget* fenetre, int delaiAffichage, FonctionFin fin);

    // The progress window, while it is on screen; for the tests.
    CDialogueProgression* dialogue() const;
    // Told too of each page, on the job's thread, and may cancel; for the tests.
    CSuiviImpression* suiviDesTests = nullptr;

    class CJob;

private:
    void terminer();

    CBarreEtat* barre_;
    std::function<QString(const CDoc*)> titreDe_;
    std::unique_ptr<CJob> job_;
};
