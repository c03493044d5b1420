#include "search/ui/CPageDate.h"

#include <string>
#include <variant>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/CCriteres.h"
#include "ui/BoiteMessage.h"
#include "model/EchangeDates.h"

namespace {

// The record's range of row `i`.
CPlageDates& plageDe(CCriteres& c, int i)
{
    return i == 0 ? c.cree : i == 1 ? c.modifie : c.accede;
}

const CPlageDates& plageDe(const CCriteres& c, int i)
{
    return i == 0 ? c.cree : i == 1 ? c.modifie : c.accede;
}

} // namespace

CPageDate::CPageDate(QWidget* parent) : CPageRecherche(105, QStringLiteral("Date"), parent)
{
    const QString textes[kLignes] = {QStringLiteral("Date de &création"), QStringLiteral("Date de &modification"),
                                     QStringLiteral("Date d'&accès")};
    // Columns: the box, a gap, the from date (three fields), a gap, the to date.
    auto* grille = new QGridLayout;
    grille->setHorizontalSpacing(fontMetrics().averageCharWidth() / 2 + 1);
    grille->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 2);
    grille->setColumnMinimumWidth(5, fontMetrics().averageCharWidth() * 2);
    grille->setColumnStretch(9, 1);
    grille->addWidget(new QLabel(QStringLiteral("entre le"), this), 0, 2, 1, 3);
    grille->addWidget(new QLabel(QStringLiteral("et le"), this), 0, 6, 1, 3);
    for (int i = 0; i < kLignes; ++i) {
        SLigne& l = lignes_[i];
        l.active = nommer(new QCheckBox(textes[i], this), kBases[i]);
        grille->addWidget(l.active, i + 1, 0);
        for (int c = 0; c < 6; ++c) {
            const bool annee = c % 3 == 2;
            l.champs[c] = champChiffres(kBases[i] + 1 + c, annee ? 4 : 2);
            grille->addWidget(l.champs[c], i + 1, c < 3 ? 2 + c : 3 + c);
        }
        connect(l.active, &QCheckBox::toggled, this, [this, i] { activer(lignes_[i]); });
    }

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(explication(QStringLiteral("Critère sur les dates des fichiers\n"
                                                      "Cochez la case en regard de chaque date pour activer le "
                                                      "critère, et indiquez les dates extrêmes de la période de "
                                                      "validité.")));
    disposition->addSpacing(fontMetrics().height() / 2);
    disposition->addLayout(grille);
    disposition->addStretch(1);
}

void CPageDate::activer(const SLigne& ligne)
{
    for (QLineEdit* champ : ligne.champs)
        champ->setEnabled(ligne.active->isChecked());
}

void CPageDate::charger(const CCriteres& criteres)
{
    for (int i = 0; i < kLignes; ++i) {
        plages_[i] = plageDe(criteres, i);
        const SAffichagePlage a = affichageDepuisPlage(plages_[i]);
        const SLigne& l = lignes_[i];
        l.active->setChecked(a.coche);
        // A date with a zero field leaves its fields as they are (empty at first).
        for (int d = 0; d < 2; ++d)
            if (const auto& textes = d == 0 ? a.du : a.au)
                for (int c = 0; c < 3; ++c)
                    l.champs[3 * d + c]->setText(QString::fromStdString((*textes)[c]));
        activer(l);
    }
}

bool CPageDate::lire()
{
    std::array<CPlageDates, kLignes> lues;
    for (int i = 0; i < kLignes; ++i) {
        const SLigne& l = lignes_[i];
        std::array<std::string, 6> textes;
        ChampsPlage champs;
        for (int c = 0; c < 6; ++c) {
            textes[c] = l.champs[c]->text().toStdString();
            champs[c] = textes[c];
        }
        auto lue = plageDepuisChamps(l.active->isChecked(), champs);
        if (const auto* refus = std::get_if<SDateInvalide>(&lue)) {
            afficherMessage(this, "Date invalide", EBoutons::Ok, EIcone::Exclamation);
            designer(*l.champs[refus->champ]);
            return false;
        }
        lues[i] = std::get<CPlageDates>(lue);
    }
    plages_ = lues;
    return true;
}

void CPageDate::ecrire(CCriteres& criteres) const
{
    for (int i = 0; i < kLignes; ++i)
        plageDe(criteres, i) = plages_[i];
}
