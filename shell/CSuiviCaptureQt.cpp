#include "shell/CSuiviCaptureQt.h"

#include <QApplication>
#include <QCoreApplication>

#include "dialogs/CDialogueProgression.h"
#include "ui/CheminsQt.h"

CSuiviCaptureQt::CSuiviCaptureQt() = default;

CSuiviCaptureQt::~CSuiviCaptureQt() = default;

void CSuiviCaptureQt::commencer(QWidget* parent)
{
    actif_ = true;
    annule_ = false;
    premierAppel_ = true;
    parent_ = parent;
    chrono_.start();
    dernierAffichage_.invalidate();
}

void CSuiviCaptureQt::terminer()
{
    actif_ = false;
    dialogue_.reset();
    if (curseurOccupe_) {
        curseurOccupe_ = false;
        QApplication::restoreOverrideCursor();
    }
}

void CSuiviCaptureQt::travailEnCours()
{
    if (!actif_)
        return;
    if (!curseurOccupe_) {
        if (chrono_.elapsed() < delaiCurseur)
            return;
        curseurOccupe_ = true;
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else if (dernierAffichage_.isValid() && dernierAffichage_.elapsed() < 40) {
        return;
    }
    // Repaint, but let no click or key start another command.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    dernierAffichage_.start();
}

void CSuiviCaptureQt::patienter()
{
    if (!actif_)
        return;
    if (dialogue_) {
        QCoreApplication::processEvents();
        annule_ = annule_ || dialogue_->estAnnule();
    } else {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

bool CSuiviCaptureQt::progression(const SProgressionCapture& etat)
{
    if (!actif_)
        return true;
    // Once cancelled, every later capture of the same operation stops at once too.
    if (annule_)
        return false;
    // The delay counts from the first capture's start, not from the command's: a
    // folder picker may have been on screen before.
    if (premierAppel_) {
        premierAppel_ = false;
        chrono_.restart();
    }
    if (!dialogue_ && chrono_.elapsed() >= delaiAffichage) {
        dialogue_ = std::make_unique<CDialogueProgression>(QString::fromStdString(etat.requete), parent_);
        dialogue_->show();
    }
    if (dialogue_) {
        dialogue_->afficherEtat(etat.dossiers, etat.fichiers,
                                cheminQt(etat.dossierCourant));
        // The modal window keeps the user's input away from the other windows.
        QCoreApplication::processEvents();
        annule_ = dialogue_->estAnnule();
    } else {
        // Not on screen yet: repaint, but let no click or key start another command.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return !annule_;
}
