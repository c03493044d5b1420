#include "search/ui/CRechercheSheet.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/CCriteres.h"
#include "search/ui/CPageAttributs.h"
#include "search/ui/CPageDate.h"
#include "search/ui/CPageDomaine.h"
#include "search/ui/CPageDoublons.h"
#include "search/ui/CPageOptions.h"
#include "search/ui/CPageTaille.h"
#include "ui/UnitesDialogue.h"

namespace {

// Width of the pages in dialog units: the widest templates (Date, Taille).
constexpr int kLargeurPagesUnites = 214;

// The first control of `page` the Tab key would reach.
QWidget* premierControle(QWidget& page)
{
    for (QWidget* w = page.nextInFocusChain(); w && w != &page; w = w->nextInFocusChain())
        if (page.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled())
            return w;
    return nullptr;
}

} // namespace

CRechercheSheet::CRechercheSheet(CCriteres& criteres, CElement& selection, QWidget* parent)
    : QDialog(parent), criteres_(criteres)
{
    construire(QStringLiteral("Rechercher"),
               {new CPageDomaine(selection), new CPageDate, new CPageTaille, new CPageAttributs, new CPageDoublons,
                new CPageOptions});
}

CRechercheSheet::CRechercheSheet(CCriteres& criteres, QWidget* parent) : QDialog(parent), criteres_(criteres)
{
    construire(QStringLiteral("Propriétés avancées"),
               {new CPageDate, new CPageTaille, new CPageAttributs, new CPageDoublons});
}

void CRechercheSheet::construire(const QString& titre, QList<CPageRecherche*> pages)
{
    setWindowTitle(titre);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    pages_ = std::move(pages);

    onglets_ = new QTabWidget(this);
    onglets_->setObjectName(QStringLiteral("onglets"));
    for (CPageRecherche* p : pages_) {
        onglets_->addTab(p, p->titre());
        p->charger(criteres_);
    }
    // Every tab in sight, never behind scroll arrows.
    onglets_->setMinimumWidth(std::max(pixelsHorizontaux(*this, kLargeurPagesUnites),
                                       onglets_->tabBar()->sizeHint().width() +
                                           2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth)));
    connect(onglets_, &QTabWidget::currentChanged, this, &CRechercheSheet::ongletChoisi);

    // The platform's own buttons, in its order, with our words.
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = boutons->button(QDialogButtonBox::Ok);
    annuler_ = boutons->button(QDialogButtonBox::Cancel);
    ok_->setText(QStringLiteral("OK"));
    ok_->setObjectName(QStringLiteral("c1"));
    ok_->setDefault(true);
    annuler_->setText(QStringLiteral("Annuler"));
    annuler_->setObjectName(QStringLiteral("c2"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(onglets_);
    disposition->addWidget(boutons);

    if (QWidget* premier = premierControle(*pages_.front()))
        premier->setFocus();
    adjustSize();
    setFixedSize(size());
}

void CRechercheSheet::ongletChoisi(int indice)
{
    if (indice == pageActive_ || indice < 0)
        return;
    // The page left is read first: a refused value brings it back in front before the
    // user is told, with the focus on the field.
    {
        const QSignalBlocker bloqueur(onglets_);
        onglets_->setCurrentIndex(pageActive_);
    }
    if (!pages_[pageActive_]->lire())
        return;
    pageActive_ = indice;
    const QSignalBlocker bloqueur(onglets_);
    onglets_->setCurrentIndex(indice);
}

void CRechercheSheet::accept()
{
    if (!pages_[pageActive_]->lire())
        return;
    CCriteres copie = criteres_;
    for (const CPageRecherche* p : pages_)
        p->ecrire(copie);
    copie.accepter();
    criteres_ = copie;
    QDialog::accept();
}

bool editerCriteresAvances(CCriteres& criteres, QWidget* parent)
{
    CRechercheSheet feuille(criteres, parent);
    return feuille.exec() == QDialog::Accepted;
}
