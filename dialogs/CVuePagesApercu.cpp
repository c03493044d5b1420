#include "dialogs/CVuePagesApercu.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/CPagesApercu.h"

namespace {

// Around and between the sheets, in pixels of the screen.
constexpr int kMarge = 12;
// Enough for the pages around the ones shown, as the user turns them back and forth.
constexpr std::size_t kPagesGardees = 6;

} // namespace

CVuePagesApercu::CVuePagesApercu(CPagesApercu& pages, QWidget* parent)
    : QAbstractScrollArea(parent), pages_(pages)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
}

void CVuePagesApercu::afficherPage(std::uint32_t page)
{
    const std::uint32_t derniere = std::max<std::uint32_t>(pages_.nombrePages(), 1);
    page = std::clamp<std::uint32_t>(page, 1, derniere);
    if (page == page_)
        return;
    page_ = page;
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit pageChangee(page_);
}

void CVuePagesApercu::definirPagesCote(int pages)
{
    pagesCote_ = pages == 2 ? 2 : 1;
    ajusterDefilement();
    viewport()->update();
}

void CVuePagesApercu::definirZoom(EZoom zoom)
{
    zoom_ = zoom;
    ajusterDefilement();
    viewport()->update();
}

void CVuePagesApercu::pagesChangees()
{
    cache_.clear();
    page_ = std::clamp<std::uint32_t>(page_, 1, std::max<std::uint32_t>(pages_.nombrePages(), 1));
    ajusterDefilement();
    viewport()->update();
    emit pageChangee(page_);
}

QSize CVuePagesApercu::tailleFeuille() const
{
    const QSize papier = pages_.taillePapier();
    if (papier.isEmpty())
        return {};
    const double largeurLibre = (viewport()->width() - (pagesCote_ + 1) * kMarge) / double(pagesCote_);
    const double hauteurLibre = viewport()->height() - 2 * kMarge;
    double echelle = largeurLibre / papier.width();
    if (zoom_ == EZoom::PageEntiere)
        echelle = std::min(echelle, hauteurLibre / papier.height());
    if (echelle <= 0)
        return {};
    return {std::max(1, int(std::floor(papier.width() * echelle))),
            std::max(1, int(std::floor(papier.height() * echelle)))};
}

void CVuePagesApercu::ajusterDefilement()
{
    const int hauteur = tailleFeuille().height() + 2 * kMarge;
    QScrollBar* barre = verticalScrollBar();
    barre->setRange(0, std::max(0, hauteur - viewport()->height()));
    barre->setPageStep(viewport()->height());
    barre->setSingleStep(std::max(1, viewport()->height() / 20));
}

const QImage& CVuePagesApercu::image(std::uint32_t page, QSize taille)
{
    for (auto it = cache_.begin(); it != cache_.end(); ++it)
        if (it->page == page && it->taille == taille) {
            std::rotate(it, it + 1, cache_.end());
            return cache_.back().image;
        }
    const qreal rapport = devicePixelRatioF();
    QImage feuille(taille * rapport, QImage::Format_RGB32);
    feuille.setDevicePixelRatio(rapport);
    feuille.fill(Qt::white);
    // The fonts are sized for the printer's resolution, the painter maps its pixels.
    const int pointsParMetre = qRound(pages_.resolution() / 0.0254);
    feuille.setDotsPerMeterX(pointsParMetre);
    feuille.setDotsPerMeterY(pointsParMetre);
    {
        QPainter peintre(&feuille);
        peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const QSize papier = pages_.taillePapier();
        peintre.scale(double(taille.width()) / papier.width(), double(taille.height()) / papier.height());
        pages_.dessinerPage(peintre, page);
    }
    dessinees_.push_back(page);
    if (cache_.size() >= kPagesGardees)
        cache_.erase(cache_.begin());
    cache_.push_back({page, taille, std::move(feuille)});
    return cache_.back().image;
}

void CVuePagesApercu::paintEvent(QPaintEvent*)
{
    const QSize taille = tailleFeuille();
    if (taille.isEmpty())
        return;
    QPainter peintre(viewport());
    const std::uint32_t nombre = pages_.nombrePages();
    const std::uint32_t restantes = nombre >= page_ ? nombre - page_ + 1 : 0;
    const int n = static_cast<int>(std::min<std::uint32_t>(static_cast<std::uint32_t>(pagesCote_), restantes));
    const int largeurTout = pagesCote_ * taille.width() + (pagesCote_ - 1) * kMarge;
    const int x0 = std::max(kMarge, (viewport()->width() - largeurTout) / 2);
    const int y0 = zoom_ == EZoom::PageEntiere ? std::max(kMarge, (viewport()->height() - taille.height()) / 2)
                                              : kMarge - verticalScrollBar()->value();
    for (int i = 0; i < n; ++i) {
        const QRect feuille(QPoint(x0 + i * (taille.width() + kMarge), y0), taille);
        peintre.fillRect(feuille.translated(3, 3), palette().shadow());
        peintre.drawImage(feuille.topLeft(), image(page_ + static_cast<std::uint32_t>(i), taille));
    }
}

void CVuePagesApercu::resizeEvent(QResizeEvent* evenement)
{
    QAbstractScrollArea::resizeEvent(evenement);
    ajusterDefilement();
}

void CVuePagesApercu::keyPressEvent(QKeyEvent* evenement)
{
    const auto pas = static_cast<std::uint32_t>(pagesCote_);
    switch (evenement->key()) {
    case Qt::Key_PageDown:
        afficherPage(page_ + pas);
        return;
    case Qt::Key_PageUp:
        afficherPage(page_ > pas ? page_ - pas : 1);
        return;
    case Qt::Key_Home:
        afficherPage(1);
        return;
    case Qt::Key_End:
        afficherPage(pages_.nombrePages());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(evenement);
    }
}

void CVuePagesApercu::wheelEvent(QWheelEvent* evenement)
{
    // The whole sheet in view: the wheel turns the pages.
    if (zoom_ == EZoom::Largeur && verticalScrollBar()->maximum() > 0) {
        QAbstractScrollArea::wheelEvent(evenement);
        return;
    }
    const int cran = evenement->angleDelta().y();
    const auto pas = static_cast<std::uint32_t>(pagesCote_);
    if (cran < 0)
        afficherPage(page_ + pas);
    else if (cran > 0)
        afficherPage(page_ > pas ? page_ - pas : 1);
    evenement->accept();
}
