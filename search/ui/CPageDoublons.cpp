#include "search/ui/CPageDoublons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "model/CCriteres.h"

namespace {

// The record's flags, in the order of the boxes.
std::array<std::int32_t*, 5> drapeaux(CCriteres& c)
{
    return {&c.memeNom, &c.memeCreation, &c.memeModification, &c.memeAcces, &c.memeTaille};
}

} // namespace

CPageDoublons::CPageDoublons(QWidget* parent)
    : CPageRecherche(109, QStringLiteral("Doublons"), parent), doublons_(new QButtonGroup(this)),
      sans_(nommer(new QRadioButton(QStringLiteral("Ne &pas rechercher les doublons"), this), 1054)),
      avec_(nommer(new QRadioButton(QStringLiteral("&Rechercher les doublons concernant:"), this), 1055))
{
    doublons_->addButton(sans_, 0);
    doublons_->addButton(avec_, 1);
    connect(doublons_, &QButtonGroup::idToggled, this, [this] { activer(); });
    const QString textes[5] = {QStringLiteral("&Nom"), QStringLiteral("Date de &création"),
                               QStringLiteral("Date de &modification"), QStringLiteral("Date d'&accès"),
                               QStringLiteral("&Taille")};

    // The five values under the second radio, in line with its text.
    auto* valeurs = new QVBoxLayout;
    valeurs->setContentsMargins(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                    style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing),
                                0, 0, 0);
    for (int i = 0; i < 5; ++i) {
        cases_[i] = nommer(new QCheckBox(textes[i], this), kIds[i]);
        valeurs->addWidget(cases_[i]);
    }

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(sans_);
    disposition->addWidget(avec_);
    disposition->addLayout(valeurs);
    disposition->addStretch(1);
}

void CPageDoublons::activer()
{
    for (QCheckBox* c : cases_)
        c->setEnabled(avec_->isChecked());
}

void CPageDoublons::charger(const CCriteres& criteres)
{
    valeurDoublons_ = criteres.doublons;
    memes_ = {criteres.memeNom, criteres.memeCreation, criteres.memeModification, criteres.memeAcces,
              criteres.memeTaille};
    for (int i = 0; i < 5; ++i) {
        cases_[i]->setChecked(memes_[i] != 0);
    }
    (valeurDoublons_ != 0 ? avec_ : sans_)->setChecked(true);
    activer();
}

bool CPageDoublons::lire()
{
    valeurDoublons_ = avec_->isChecked() ? 1 : 0;
    for (int i = 0; i < 5; ++i)
        memes_[i] = cases_[i]->isChecked() ? 1 : 0;
    return true;
}

void CPageDoublons::ecrire(CCriteres& criteres) const
{
    const auto memes = drapeaux(criteres);
    criteres.doublons = valeurDoublons_;
    for (int i = 0; i < 5; ++i)
        *memes[i] = memes_[i];
}
