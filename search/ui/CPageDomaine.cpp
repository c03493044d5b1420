#include "search/ui/CPageDomaine.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/CCriteres.h"
#include "model/CDoc.h"
#include "model/CElement.h"
#include "ui/UnitesDialogue.h"

namespace {

constexpr int kLongueurMotif = 260;
// The widest text of the second radio, in dialog units: the sheet widens for a long
// title up to this, past which the title is shortened.
constexpr int kLargeurTitreUnites = 300;

} // namespace

CPageDomaine::CPageDomaine(CElement& selection, QWidget* parent)
    : CPageRecherche(103, QStringLiteral("Domaine"), parent), selection_(selection),
      motif_(nommer(new QLineEdit(this), 1017)), portee_(new QButtonGroup(this)),
      tous_(nommer(new QRadioButton(QStringLiteral("&Tous les classeurs"), this), 1028)),
      objet_(nommer(new QRadioButton(this), 1029)), cible_(&selection)
{
    motif_->setMaxLength(kLongueurMotif);
    auto* etiquetteMotif = new QLabel(QStringLiteral("&Critère de recherche (*.doc par exemple):"), this);
    etiquetteMotif->setBuddy(motif_);
    portee_->addButton(tous_, kPorteeTousClasseurs);
    portee_->addButton(objet_, kPorteeObjetSelectionne);

    // The selected object's title after the radio's own words: "Requête "cd"". A
    // name is not markup: its '&' stays a character. A very long path is shortened
    // in its middle; the whole title is then in the tooltip.
    const QString prefixe = QStringLiteral("&Objet sélectionné: ");
    if (aucuneSelection()) {
        objet_->setText(prefixe + QStringLiteral("Aucune sélection"));
        objet_->setEnabled(false);
    } else {
        const QString titre = QString::fromStdString(selection_.titre());
        const QFontMetrics fm = objet_->fontMetrics();
        const int place = pixelsHorizontaux(*this, kLargeurTitreUnites) -
                          fm.horizontalAdvance(QStringLiteral("Objet sélectionné: "));
        const QString montre = fm.elidedText(titre, Qt::ElideMiddle, place);
        objet_->setText(prefixe + QString(montre).replace(u'&', QStringLiteral("&&")));
        if (montre != titre)
            objet_->setToolTip(titre);
    }

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(etiquetteMotif);
    disposition->addWidget(motif_);
    disposition->addSpacing(fontMetrics().height() / 2);
    disposition->addWidget(new QLabel(QStringLiteral("Rechercher dans:"), this));
    disposition->addWidget(tous_);
    disposition->addWidget(objet_);
    disposition->addStretch(1);
}

bool CPageDomaine::aucuneSelection() const
{
    return selection_.document() == &selection_;
}

void CPageDomaine::charger(const CCriteres& criteres)
{
    texteMotif_ = criteres.motif;
    valeurPortee_ = criteres.portee;
    motif_->setText(QString::fromStdString(texteMotif_));
    // The last search's scope comes back; with nothing selected the second radio
    // cannot be chosen, and the first one says what the search will cover.
    if (valeurPortee_ == kPorteeObjetSelectionne && !aucuneSelection())
        objet_->setChecked(true);
    else
        tous_->setChecked(true);
}

bool CPageDomaine::lire()
{
    // A pattern typed over keeps what it shows; an untouched one its very bytes.
    if (motif_->text() != QString::fromStdString(texteMotif_))
        texteMotif_ = motif_->text().toStdString();
    valeurPortee_ = objet_->isChecked() ? kPorteeObjetSelectionne : kPorteeTousClasseurs;
    CElement* racine = selection_.document();
    cible_ = valeurPortee_ == kPorteeObjetSelectionne || !racine ? &selection_ : racine;
    return true;
}

void CPageDomaine::ecrire(CCriteres& criteres) const
{
    criteres.motif = texteMotif_;
    criteres.portee = valeurPortee_;
    if (valeurPortee_ != kPorteeFiltreCapture)
        criteres.cible = cible_;
}
