#include "shell/CSuiviImpressionQt.h"

#include <QCoreApplication>

#include "dialogs/CDialogueProgression.h"

CSuiviImpressionQt::CSuiviImpressionQt(QWidget* parent, int delaiAffichage)
    : parent_(parent), delaiAffichage_(delaiAffichage)
{
    chrono_.start();
}

CSuiviImpressionQt::~CSuiviImpressionQt() = default;

bool CSuiviImpressionQt::pagesImprimees(std::uint32_t faites, std::uint32_t total)
{
    if (!dialogue_ && chrono_.elapsed() >= delaiAffichage_) {
        dialogue_ = CDialogueProgression::pourImpression(parent_);
        dialogue_->show();
    }
    if (!dialogue_) {
        // Not on screen yet: repaint, but let no click or key start another command.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }
    dialogue_->afficherPages(faites, total);
    // The modal window keeps the user's input away from the other windows.
    QCoreApplication::processEvents();
    return !dialogue_->estAnnule();
}
