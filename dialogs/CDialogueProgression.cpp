#include "dialogs/CDialogueProgression.h"

#include <algorithm>
#include <climits>

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
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

std::unique_ptr<CDialogueProgression> CDialogueProgression::pourImpression(QWidget* parent)
{
    auto d = std::make_unique<CDialogueProgression>(QString(), parent);
    d->setWindowTitle(QStringLiteral("Impression"));
    d->compte_->setText(QStringLiteral("Préparation des pages..."));
    d->dossier_->hide();
    return d;
}

std::unique_ptr<CDialogueProgression> CDialogueProgression::pourCalcul(const QString& titre, QWidget* parent)
{
    auto d = std::make_unique<CDialogueProgression>(QString(), parent);
    d->setWindowTitle(titre);
    d->compte_->setText(QStringLiteral("Examen des fichiers..."));
    d->dossier_->hide();
    return d;
}

void CDialogueProgression::afficherFichiers(unsigned long long examines)
{
    if (annule_)
        return;
    const QString s = examines > 1 ? QStringLiteral("s") : QString();
    compte_->setText(QStringLiteral("%1 fichier%2 examiné%2").arg(QLocale(QLocale::French).toString(examines), s));
}

void CDialogueProgression::afficherPages(unsigned faites, unsigned total)
{
    const QLocale francais(QLocale::French);
    const QString s = faites > 1 ? QStringLiteral("s") : QString();
    compte_->setText(QStringLiteral("%1 page%2 imprimée%2 sur %3")
                         .arg(francais.toString(faites), s, francais.toString(total)));
    barre_->setRange(0, static_cast<int>(std::min(total, unsigned(INT_MAX))));
    barre_->setValue(static_cast<int>(std::min(faites, unsigned(INT_MAX))));
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
    emit annulationDemandee();
}
