#pragma once
// The window program's jobs (captures, searches, comparisons): each runs on a thread
// of its own while the windows stay live. Its progress window (the counts, "Annuler")
// appears when the job lasts, and lets the user go on with other documents; the
// documents a job works on take no command and do not close until it ends. Each
// snapshot is put in place on the interface thread as soon as it is made, unless a
// search or a comparison is reading its document.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "workspace/ExecuteurTravaux.h"

class CBarreEtat;
class CDoc;
class CDialogueProgression;
class CSignalementErreurs;
class CSuiviCapture;
struct SAvancement;
class CJob;
class CJobCalcul;
class QWidget;

class CExecuteurTravauxQt : public QObject, public CExecuteurTravaux {
    Q_OBJECT
public:
    // Progress windows belong to `fenetre`; `barre` tells why the document's commands
    // are off, naming it by `titreDe`; `signalement` tells a job that failed (memory
    // short); `fils` as capturerRequete takes it.
    CExecuteurTravauxQt(QWidget* fenetre, CBarreEtat* barre, std::function<QString(const CDoc*)> titreDe,
                        CSignalementErreurs& signalement, std::function<int()> fils);
    // Jobs still running are cancelled and waited for; none of their results is placed.
    ~CExecuteurTravauxQt() override;

    void lancer(std::shared_ptr<CTravailCapture> travail, std::function<void(const std::string&)> fin) override;
    void lancer(std::shared_ptr<CTravailCalcul> travail) override;
    // A search or a comparison is reading `document`: no snapshot of it may be replaced.
    bool lu(const CDoc* document) const;

    std::size_t nombre() const { return jobs_.size(); }
    // The status bar says again which document a job holds (a close was refused).
    void rappeler();
    // The progress window of the latest job, while it is on screen; for the tests.
    CDialogueProgression* dialogue() const;
    // Delay before a job's progress window appears (milliseconds).
    int delaiAffichage = 400;
    // What the jobs launched from now on are called when one fails: "La commande
    // « Mettre à jour »".
    std::string nomOperation = "L'opération en cours";
    // Told too of each progress, on the job's thread, and may cancel or throw; for the
    // tests.
    CSuiviCapture* suiviDesTests = nullptr;
    // Called on a search's or a comparison's thread before its pass, for the tests.
    std::function<void(SAvancement&)> calculDesTests;

signals:
    // A job ended, its results in place and its end called.
    void travailTermine();

private:
    friend class CJob;
    friend class CJobCapture;
    friend class CJobCalcul;
    void terminer(CJob* job);

    QWidget* fenetre_;
    CBarreEtat* barre_;
    std::function<QString(const CDoc*)> titreDe_;
    CSignalementErreurs& signalement_;
    std::function<int()> fils_;
    std::vector<std::unique_ptr<CJob>> jobs_;
    std::vector<CJobCalcul*> calculs_;   // those of jobs_ that read documents, in their order
};
