#include "dialogs/CApercuImpressionDlg.h"

#include <algorithm>
#include <climits>

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "dialogs/CVuePagesApercu.h"
#include "ui/CPagesApercu.h"

namespace {

QAction* ajouterCommande(QToolBar& barre, const QString& texte, const QString& aide)
{
    QAction* a = barre.addAction(texte);
    a->setToolTip(aide);
    return a;
}

} // namespace

CApercuImpressionDlg::CApercuImpressionDlg(CPagesApercu& pages, int pagesCote, QWidget* parent)
    : QDialog(parent), pages_(pages), vue_(new CVuePagesApercu(pages, this)), numero_(new QSpinBox(this)),
      total_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Aperçu avant impression"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    vue_->definirPagesCote(pagesCote);

    auto* barre = new QToolBar(this);
    barre->setToolButtonStyle(Qt::ToolButtonTextOnly);
    imprimer_ = ajouterCommande(*barre, QStringLiteral("&Imprimer..."), QStringLiteral("Imprime le document"));
    barre->addSeparator();
    precedente_ = ajouterCommande(*barre, QStringLiteral("Page &précédente"), QStringLiteral("Page précédente"));
    numero_->setAccessibleName(QStringLiteral("Page"));
    numero_->setKeyboardTracking(false);
    barre->addWidget(numero_);
    barre->addWidget(total_);
    suivante_ = ajouterCommande(*barre, QStringLiteral("Page &suivante"), QStringLiteral("Page suivante"));
    barre->addSeparator();
    pagesCote_ = ajouterCommande(*barre, QString(), QStringLiteral("Une ou deux pages à la fois"));
    zoomAvant_ = ajouterCommande(*barre, QStringLiteral("Zoom a&vant"), QStringLiteral("Pleine largeur"));
    zoomArriere_ = ajouterCommande(*barre, QStringLiteral("Zoom a&rrière"), QStringLiteral("Page entière"));
    barre->addSeparator();
    fermer_ = ajouterCommande(*barre, QStringLiteral("&Fermer"), QStringLiteral("Fermer l'aperçu"));

    connect(imprimer_, &QAction::triggered, this, &CApercuImpressionDlg::lancerImpression);
    connect(precedente_, &QAction::triggered, this, [this] {
        const auto pas = static_cast<std::uint32_t>(vue_->pagesCote());
        vue_->afficherPage(vue_->page() > pas ? vue_->page() - pas : 1);
    });
    connect(suivante_, &QAction::triggered, this,
            [this] { vue_->afficherPage(vue_->page() + static_cast<std::uint32_t>(vue_->pagesCote())); });
    connect(numero_, &QSpinBox::valueChanged, this,
            [this](int page) { vue_->afficherPage(static_cast<std::uint32_t>(std::max(page, 1))); });
    connect(pagesCote_, &QAction::triggered, this, [this] {
        vue_->definirPagesCote(vue_->pagesCote() == 2 ? 1 : 2);
        mettreAJourCommandes();
    });
    connect(zoomAvant_, &QAction::triggered, this, [this] {
        vue_->definirZoom(CVuePagesApercu::EZoom::Largeur);
        mettreAJourCommandes();
    });
    connect(zoomArriere_, &QAction::triggered, this, [this] {
        vue_->definirZoom(CVuePagesApercu::EZoom::PageEntiere);
        mettreAJourCommandes();
    });
    connect(fermer_, &QAction::triggered, this, &QDialog::reject);
    connect(vue_, &CVuePagesApercu::pageChangee, this, &CApercuImpressionDlg::mettreAJourCommandes);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(barre);
    disposition->addWidget(vue_, 1);

    // Most of the screen, as a sheet is tall.
    if (const QScreen* ecran = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->availableGeometry();
        resize(zone.width() * 3 / 5, zone.height() * 9 / 10);
    }
    mettreAJourCommandes();
    vue_->setFocus();
}

QString CApercuImpressionDlg::textePage() const
{
    const QLocale francais(QLocale::French);
    return QStringLiteral("Page %1 sur %2").arg(francais.toString(vue_->page()), francais.toString(pages_.nombrePages()));
}

void CApercuImpressionDlg::lancerImpression()
{
    if (!lancerImprimante || enImpression_)
        return;
    if (lancerImprimante()) {
        enImpression_ = true;
        mettreAJourCommandes();
        return;
    }
    vue_->pagesChangees();
    mettreAJourCommandes();
}

void CApercuImpressionDlg::impressionTerminee(bool imprime)
{
    enImpression_ = false;
    if (imprime) {
        accept();
        return;
    }
    vue_->pagesChangees();
    mettreAJourCommandes();
}

void CApercuImpressionDlg::reject()
{
    // Its progress window belongs to it: closed only once the printing ends.
    if (!enImpression_)
        QDialog::reject();
}

void CApercuImpressionDlg::mettreAJourCommandes()
{
    const std::uint32_t nombre = pages_.nombrePages();
    const std::uint32_t page = vue_->page();
    {
        const QSignalBlocker silence(numero_);
        numero_->setRange(1, static_cast<int>(std::clamp<std::uint32_t>(nombre, 1, INT_MAX)));
        numero_->setValue(static_cast<int>(std::min<std::uint32_t>(page, INT_MAX)));
    }
    total_->setText(QStringLiteral(" sur %1 ").arg(QLocale(QLocale::French).toString(nombre)));
    precedente_->setEnabled(page > 1);
    suivante_->setEnabled(std::uint64_t(page) + static_cast<std::uint32_t>(vue_->pagesCote()) <= nombre);
    pagesCote_->setText(vue_->pagesCote() == 2 ? QStringLiteral("&Une page") : QStringLiteral("&Deux pages"));
    zoomAvant_->setEnabled(vue_->zoom() == CVuePagesApercu::EZoom::PageEntiere);
    zoomArriere_->setEnabled(vue_->zoom() == CVuePagesApercu::EZoom::Largeur);
    imprimer_->setEnabled(!enImpression_);
    fermer_->setEnabled(!enImpression_);
}
