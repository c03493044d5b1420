#include "compare/ui/CChampsDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "compare/ui/CChoixRequetesDlg.h"
#include "compare/ui/DispositionAssistant.h"
#include "model/CRequete.h"

namespace {

// The boxes, in the order of the options, with their control numbers.
struct SChamp {
    int id;
    const char* texte;
    bool SOptionsComparaison::*option;
};
constexpr std::array<SChamp, 6> kChamps{{
    {1061, "&Nom", &SOptionsComparaison::nom},
    {1062, "Date de &création", &SOptionsComparaison::cree},
    {1063, "Date de &modification", &SOptionsComparaison::modifie},
    {1064, "Date d'&accès", &SOptionsComparaison::accede},
    {1065, "&Taille", &SOptionsComparaison::taille},
    {1066, "Attrib&uts", &SOptionsComparaison::attributs},
}};

} // namespace

CChampsDlg::CChampsDlg(const CChoixRequetesDlg& choix, QWidget* parent)
    : QDialog(parent), choix_(choix), precedent_(new QPushButton(QStringLiteral("< Précédent"), this)),
      terminer_(new QPushButton(QStringLiteral("Terminer"), this))
{
    setWindowTitle(QStringLiteral("Comparer deux requêtes"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* texte = new QLabel(QStringLiteral("Cochez les champs sur lesquels vous voulez que la comparaison porte.\n"
                                            "Les champs indisponibles dans une des deux requêtes sont "
                                            "indisponibles et affichés en grisé."),
                             this);
    texte->setWordWrap(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(texte);
    disposition->addSpacing(fontMetrics().height() / 2);
    for (std::size_t i = 0; i < kChamps.size(); ++i) {
        cases_[i] = new QCheckBox(QString::fromUtf8(kChamps[i].texte), this);
        cases_[i]->setObjectName(QStringLiteral("c%1").arg(kChamps[i].id));
        disposition->addWidget(cases_[i]);
    }
    disposition->addStretch(1);

    connect(precedent_, &QPushButton::clicked, this, &QDialog::reject);
    connect(terminer_, &QPushButton::clicked, this, &CChampsDlg::accept);
    disposition->addLayout(rangeeBoutonsAssistant(*precedent_, *terminer_));
    fixerTailleAssistant(*this);
}

void CChampsDlg::showEvent(QShowEvent* evenement)
{
    preparer();
    QDialog::showEvent(evenement);
}

void CChampsDlg::preparer()
{
    const CRequete* a = choix_.premiere();
    const CRequete* b = choix_.seconde();
    // What each query stores, in the order of the boxes; the name always.
    const auto stockee = [a, b](bool CRequete::*valeur) { return a && b && a->*valeur && b->*valeur; };
    const std::array<bool, 6> disponible = {true,
                                            stockee(&CRequete::stockerCree),
                                            stockee(&CRequete::stockerModifie),
                                            stockee(&CRequete::stockerAccede),
                                            stockee(&CRequete::stockerTaille),
                                            stockee(&CRequete::stockerAttributs)};
    bool autreValeur = false;
    for (std::size_t i = 1; i < cases_.size(); ++i) {
        cases_[i]->setChecked(disponible[i]);
        cases_[i]->setEnabled(disponible[i]);
        autreValeur = autreValeur || disponible[i];
    }
    // Without another value the comparison is by name alone.
    cases_[0]->setChecked(true);
    cases_[0]->setEnabled(autreValeur);
    terminer_->setFocus();
}

void CChampsDlg::accept()
{
    for (std::size_t i = 0; i < kChamps.size(); ++i)
        options_.*kChamps[i].option = cases_[i]->isChecked();
    QDialog::accept();
}
