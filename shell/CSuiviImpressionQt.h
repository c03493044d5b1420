#pragma once
// Progress of one print job: after a moment the progress window shows the pages done
// and takes Annuler; meanwhile the windows repaint and nothing else starts.

#include <memory>

#include <QElapsedTimer>

#include "impression/CSuiviImpression.h"

class CDialogueProgression;
class QWidget;

class CSuiviImpressionQt : public CSuiviImpression {
public:
    // The window belongs to `parent` and appears once the job has lasted
    // `delaiAffichage` milliseconds, so short jobs do not flash it.
    CSuiviImpressionQt(QWidget* parent, int delaiAffichage);
    ~CSuiviImpressionQt();
    CSuiviImpressionQt(const CSuiviImpressionQt&) = delete;
    CSuiviImpressionQt& operator=(const CSuiviImpressionQt&) = delete;

    bool pagesImprimees(std::uint32_t faites, std::uint32_t total) override;

    // The progress window, once shown; for the tests.
    CDialogueProgression* dialogue() const { return dialogue_.get(); }

private:
    QWidget* parent_;
    int delaiAffichage_;
    QElapsedTimer chrono_;
    std::unique_ptr<CDialogueProgression> dialogue_;
};
