#pragma once
// The window program's capture jobs: each runs on a thread of its own while the
// windows stay live. Its progress window (the counts, the folder being read,
// "Annuler") appears when the job lasts, and lets the user go on with other
// documents; the job's document takes no command and does not close until it ends.
// Each snapshot is put in place on the interface thread as soon as it is made.

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
class CJobCapture;
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

signals:
    // A job ended, its results in place and its end called.
    void travailTermine();

private:
    friend class CJobCapture;
    void terminer(CJobCapture* job);

    QWidget* fenetre_;
    CBarreEtat* barre_;
    std::function<QString(const CDoc*)> titreDe_;
    CSignalementErreurs& signalement_;
    std::function<int()> fils_;
    std::vector<std::unique_ptr<CJobCapture>> jobs_;
};
