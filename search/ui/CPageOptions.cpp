#include "search/ui/CPageOptions.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "model/CCriteres.h"

CPageOptions::CPageOptions(QWidget* parent)
    : CPageRecherche(108, QStringLiteral("Options"), parent),
      sousDossiers_(nommer(new QCheckBox(QStringLiteral("Rechercher dans les &sous-dossiers"), this), 1012)),
      caches_(nommer(new QCheckBox(QStringLiteral("Rechercher dans les dossiers &cachés"), this), 1013))
{
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(sousDossiers_);
    disposition->addWidget(caches_);
    disposition->addStretch(1);
}

void CPageOptions::charger(const CCriteres& criteres)
{
    rechercherSousDossiers_ = criteres.rechercherSousDossiers;
    rechercherCaches_ = criteres.rechercherDossiersCaches;
    sousDossiers_->setChecked(rechercherSousDossiers_ != 0);
    caches_->setChecked(rechercherCaches_ != 0);
}

bool CPageOptions::lire()
{
    rechercherSousDossiers_ = sousDossiers_->isChecked() ? 1 : 0;
    rechercherCaches_ = caches_->isChecked() ? 1 : 0;
    return true;
}

void CPageOptions::ecrire(CCriteres& criteres) const
{
    criteres.rechercherSousDossiers = rechercherSousDossiers_;
    criteres.rechercherDossiersCaches = rechercherCaches_;
}
