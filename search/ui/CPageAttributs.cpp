#include "search/ui/CPageAttributs.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "model/CCriteres.h"

namespace {

Qt::CheckState etatDe(std::int32_t test)
{
    switch (test) {
    case kAttributAbsent:
        return Qt::Unchecked;
    case kAttributPresent:
        return Qt::Checked;
    default:
        return Qt::PartiallyChecked;
    }
}

std::int32_t testDe(Qt::CheckState etat)
{
    switch (etat) {
    case Qt::Unchecked:
        return kAttributAbsent;
    case Qt::Checked:
        return kAttributPresent;
    case Qt::PartiallyChecked:
        return kAttributIndifferent;
    }
    return kAttributIndifferent;
}

} // namespace

CPageAttributs::CPageAttributs(QWidget* parent) : CPageRecherche(106, QStringLiteral("Attributs"), parent)
{
    const QString textes[4] = {QStringLiteral("&Lecture seule"), QStringLiteral("Fichier &caché"),
                               QStringLiteral("Fichier &système"), QStringLiteral("&Archive")};
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(explication(QStringLiteral("Critères sur les attributs\n"
                                                      "Grisez les attributs à ne pas prendre en compte, cochez ceux "
                                                      "que les fichiers devront avoir et décochez ceux qu'ils ne "
                                                      "devront pas posséder.")));
    disposition->addSpacing(fontMetrics().height() / 2);
    for (int i = 0; i < 4; ++i) {
        cases_[i] = nommer(new QCheckBox(textes[i], this), kIds[i]);
        cases_[i]->setTristate(true);
        disposition->addWidget(cases_[i]);
    }
    disposition->addStretch(1);
}

void CPageAttributs::charger(const CCriteres& criteres)
{
    for (int i = 0; i < 4; ++i) {
        tests_[i] = criteres.attributs[i];
        cases_[i]->setCheckState(etatDe(tests_[i]));
    }
}

bool CPageAttributs::lire()
{
    for (int i = 0; i < 4; ++i)
        tests_[i] = testDe(cases_[i]->checkState());
    return true;
}

void CPageAttributs::ecrire(CCriteres& criteres) const
{
    for (int i = 0; i < 4; ++i)
        criteres.attributs[i] = tests_[i];
}
