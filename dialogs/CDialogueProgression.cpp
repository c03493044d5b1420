#include "dialogs/CDialogueProgression.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogueFixe.h"

namespace {

constexpr int kLargeurTexte = 420;

} // namespace

CDialogueProgression::CDialogueProgression(const QString& requete, QWidget* parent)
    : QDialog(parent), compte_(new QLabel(this)), dossier_(new QLabel(this)),
      barre_(new QProgressBar(this))
{
    setWindowTitle(QStringLiteral("Mise à jour de « %1 »").arg(requete));
    setModal(true);
    compte_->setText(QStringLiteral("Lecture des dossiers..."));
    dossier_->setMinimumWidth(kLargeurTexte);
    dossier_->setTextFormat(Qt::PlainText);
    barre_->setRange(0, 0);   // no total is known in advance
    barre_->setTextVisible(false);

    auto* boutons = new QDialogButtonBox(this);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(boutons, &QDialogButtonBox::rejected, this, &CDialogueProgression::reject);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(compte_);
    disposition->addWidget(dossier_);
    disposition->addWidget(barre_);
    disposition->addWidget(boutons);
    fixerDialogue(*this);
}

void CDialogueProgression::afficherEtat(unsigned dossiers, unsigned fichiers,
                                        const QString& dossierCourant)
{
    compte_->setText(QStringLiteral("%1 dossier%2 lu%2, %3 fichier%4 retenu%4")
                         .arg(dossiers)
                         .arg(dossiers > 1 ? QStringLiteral("s") : QString())
                         .arg(fichiers)
                         .arg(fichiers > 1 ? QStringLiteral("s") : QString()));
    // A long path is shortened in its middle so the window keeps its size.
    dossier_->setText(
        QFontMetrics(dossier_->font()).elidedText(dossierCourant, Qt::ElideMiddle, kLargeurTexte));
    dossier_->setToolTip(dossierCourant);
}

QString CDialogueProgression::texteCompte() const
{
    return compte_->text();
}

QString CDialogueProgression::texteDossier() const
{
    return dossier_->toolTip();
}

void CDialogueProgression::reject()
{
    // The window stays until the capture notices: it closes with the work.
    annule_ = true;
    compte_->setText(QStringLiteral("Annulation..."));
}
