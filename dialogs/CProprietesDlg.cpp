#include "dialogs/CProprietesDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/CUtilisateur.h"
#include "model/NumeroSerie.h"
#include "platform/CPlateforme.h"
#include "ui/DialogueFixe.h"
#include "ui/UnitesDialogue.h"

namespace {

// Width of the window in dialog units.
constexpr int kLargeurUnites = 172;

} // namespace

CProprietesDlg::CProprietesDlg(const SProprietes& p, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(p.titre));

    const struct {
        const char* etiquette;
        QString valeur;
    } lignes[] = {
        {"Nom du volume", QString::fromStdString(p.nomVolume)},
        {"Numéro de série", QString::fromStdString(texteNumeroSerie(p.numeroSerie))},
        {"Nombre de dossiers", QString::number(p.dossiers)},
        {"Nombre de fichiers", QString::number(p.fichiers)},
        {"Taille totale", QString::fromStdString(plateforme().texteTaille(p.tailleTotale))},
    };
    auto* grille = new QGridLayout;
    grille->setHorizontalSpacing(fontMetrics().averageCharWidth() * 3);
    grille->setColumnStretch(1, 1);
    int ligne = 0;
    for (const auto& l : lignes) {
        auto* etiquette = new QLabel(QString::fromUtf8(l.etiquette), this);
        auto* valeur = new QLabel(l.valeur, this);
        valeur->setObjectName(QStringLiteral("valeur%1").arg(1071 + ligne));
        // A volume label is the disk's own text, not markup.
        valeur->setTextFormat(Qt::PlainText);
        valeur->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A binder has no volume: its window is shorter by these two lines.
        if (ligne < 2 && !p.avecVolume) {
            etiquette->hide();
            valeur->hide();
        }
        grille->addWidget(etiquette, ligne, 0);
        grille->addWidget(valeur, ligne, 1);
        ++ligne;
    }

    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("c2"));
    fermer->setDefault(true);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(fermer);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(grille);
    disposition->addSpacing(fontMetrics().height());
    disposition->addLayout(boutons);
    fixerDialogue(*this, QSize(pixelsHorizontaux(*this, kLargeurUnites), 0));
}
