#include "search/ui/CPageTaille.h"

#include <optional>

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "model/CCriteres.h"
#include "ui/BoiteMessage.h"

const char* const CPageTaille::kMessageValeur = "Entrez un nombre entier compris entre 0 et 99999.";

namespace {

// The value of the field: a whole number of digits within 0..99999, or nothing.
std::optional<std::uint32_t> lireValeur(const QString& texte)
{
    const QString t = texte.trimmed();
    if (t.isEmpty() || t.size() > 5)
        return std::nullopt;
    std::uint32_t v = 0;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + std::uint32_t(c.unicode() - u'0');
    }
    if (v > CPageTaille::kValeurMaximum)
        return std::nullopt;
    return v;
}

// A list index from the record, or the first item when the record holds another
// number (a damaged catalogue).
int indiceValide(std::int32_t indice, int nombre)
{
    return indice >= 0 && indice < nombre ? indice : 0;
}

} // namespace

CPageTaille::CPageTaille(QWidget* parent)
    : CPageRecherche(107, QStringLiteral("Taille"), parent), test_(new QButtonGroup(this)),
      toutes_(nommer(new QRadioButton(QStringLiteral("&Toutes tailles"), this), 1054)),
      taille_(nommer(new QRadioButton(QStringLiteral("&Rechercher les fichiers de taille"), this), 1055)),
      comparaison_(nommer(new QComboBox(this), 1051)), valeur_(champChiffres(1052, 5)),
      unite_(nommer(new QComboBox(this), 1053))
{
    test_->addButton(toutes_, 0);
    test_->addButton(taille_, 1);
    comparaison_->addItems({QStringLiteral("= (égale)"), QStringLiteral(">= (au moins égale)"),
                            QStringLiteral("<= (au plus égale)")});
    unite_->addItems({QStringLiteral("octets"), QStringLiteral("Ko"), QStringLiteral("Mo"), QStringLiteral("Go")});
    connect(test_, &QButtonGroup::idToggled, this, [this] { activer(); });

    // The comparison, the value and the unit under the second radio, in line with
    // its text.
    auto* ligne = new QHBoxLayout;
    ligne->setContentsMargins(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                  style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing),
                              0, 0, 0);
    ligne->addWidget(comparaison_);
    ligne->addWidget(new QLabel(QStringLiteral("à"), this));
    ligne->addWidget(valeur_);
    ligne->addWidget(unite_);
    ligne->addStretch(1);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(toutes_);
    disposition->addWidget(taille_);
    disposition->addLayout(ligne);
    disposition->addStretch(1);
}

void CPageTaille::activer()
{
    const bool actif = taille_->isChecked();
    comparaison_->setEnabled(actif);
    valeur_->setEnabled(actif);
    unite_->setEnabled(actif);
}

void CPageTaille::charger(const CCriteres& criteres)
{
    testTaille_ = criteres.testTaille;
    indiceComparaison_ = criteres.comparaisonTaille;
    valeurTaille_ = criteres.valeurTaille;
    indiceUnite_ = criteres.uniteTaille;
    (testTaille_ != 0 ? taille_ : toutes_)->setChecked(true);
    comparaison_->setCurrentIndex(indiceValide(indiceComparaison_, comparaison_->count()));
    valeur_->setText(QString::number(valeurTaille_));
    unite_->setCurrentIndex(indiceValide(indiceUnite_, unite_->count()));
    activer();
}

bool CPageTaille::lire()
{
    const bool actif = taille_->isChecked();
    const std::optional<std::uint32_t> valeur = lireValeur(valeur_->text());
    // The value counts only while the size test is on: a disabled field is neither
    // checked nor taken, and the record keeps the value it had.
    if (actif && !valeur) {
        afficherMessage(this, kMessageValeur, EBoutons::Ok, EIcone::Exclamation);
        designer(*valeur_);
        return false;
    }
    testTaille_ = actif ? 1 : 0;
    indiceComparaison_ = comparaison_->currentIndex();
    indiceUnite_ = unite_->currentIndex();
    if (valeur)
        valeurTaille_ = *valeur;
    return true;
}

void CPageTaille::ecrire(CCriteres& criteres) const
{
    criteres.testTaille = testTaille_;
    criteres.comparaisonTaille = indiceComparaison_;
    criteres.valeurTaille = valeurTaille_;
    criteres.uniteTaille = indiceUnite_;
}
