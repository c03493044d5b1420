#include "ui/CToolBarEx.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr int kTailleImage = 16;
constexpr int kMarge = 7;  // a button is this much wider and higher than its picture

// The colours of a 3D edge, from the palette: a dark desktop gets dark buttons.
struct SCouleurs {
    QColor face, clair, ombre, lumiere3d;
    explicit SCouleurs(const QPalette& p)
        : face(p.color(QPalette::Button)), clair(p.color(QPalette::Light)), ombre(p.color(QPalette::Dark)),
          lumiere3d(p.color(QPalette::Midlight))
    {
        if (lumiere3d == face)
            lumiere3d = clair;
    }
};

// A 3D frame: `hautGauche` on the top and left edges, `basDroite` on the others.
void cadre3d(QPainter& p, const QRect& r, const QColor& hautGauche, const QColor& basDroite)
{
    p.setPen(hautGauche);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(basDroite);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

// `image` in one colour where it is not transparent.
QPixmap silhouette(const QPixmap& image, const QColor& couleur)
{
    QImage forme = image.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&forme);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(forme.rect(), couleur);
    p.end();
    QPixmap resultat = QPixmap::fromImage(forme);
    resultat.setDevicePixelRatio(image.devicePixelRatio());
    return resultat;
}

class CBoutonBarre final : public QToolButton {
public:
    CBoutonBarre(CToolBarEx& barre, QAction* action) : QToolButton(&barre), barre_(barre)
    {
        setDefaultAction(action);
        setAutoRaise(true);
        setFocusPolicy(Qt::NoFocus);
        setIconSize(QSize(kTailleImage, kTailleImage));
        setFixedSize(kTailleImage + kMarge, kTailleImage + kMarge);
    }

protected:
    void enterEvent(QEnterEvent* e) override
    {
        QToolButton::enterEvent(e);
        barre_.entrerDans(this);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const SCouleurs c(palette());
        const QRect r = rect().adjusted(0, 0, -1, -1);
        const bool enfonce = isChecked() || isDown();
        const bool chaud = barre_.boutonChaud() == this;
        p.fillRect(rect(), enfonce && !chaud ? c.lumiere3d : c.face);
        if (enfonce) {
            cadre3d(p, r, c.ombre, c.clair);
            if (!chaud) {
                // The halftone of a checked button: every other pixel light.
                p.fillRect(r.adjusted(2, 2, -1, -1), c.face);
                p.fillRect(r.adjusted(2, 2, -1, -1), QBrush(c.clair, Qt::Dense4Pattern));
            }
        } else if (chaud && isEnabled()) {
            cadre3d(p, r, c.clair, c.ombre);
        }
        // At the scale of what is painted on: the screen, or an image at twice the size.
        const QPixmap image = icon().pixmap(iconSize(), p.device()->devicePixelRatioF());
        const QPoint coin((width() - kTailleImage) / 2 + (enfonce ? 1 : 0),
                          (height() - kTailleImage) / 2 + (enfonce ? 1 : 0));
        if (isEnabled()) {
            p.drawPixmap(coin, image);
            return;
        }
        // Embossed: the shape in light, one pixel down and right, under it in shadow.
        p.drawPixmap(coin + QPoint(1, 1), silhouette(image, c.clair));
        p.drawPixmap(coin, silhouette(image, c.ombre));
    }

private:
    CToolBarEx& barre_;
};

// An etched line down the middle: shadow on the left, light on the right.
class CSeparateurBarre final : public QWidget {
public:
    explicit CSeparateurBarre(QWidget* parent) : QWidget(parent) { setFixedSize(8, kTailleImage + kMarge); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const SCouleurs c(palette());
        const int x = width() / 2 - 1;
        p.fillRect(x, 0, 1, height(), c.ombre);
        p.fillRect(x + 1, 0, 1, height(), c.clair);
    }
};

} // namespace

CToolBarEx::CToolBarEx(const QString& titre, QWidget* parent) : QToolBar(titre, parent), disposition_({})
{
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(kTailleImage, kTailleImage));
    minuterie_.setInterval(50);
    connect(&minuterie_, &QTimer::timeout, this, &CToolBarEx::verifierPointeur);
}

void CToolBarEx::charger(CDispositionBarre disposition, const std::function<QAction*(int)>& action)
{
    changerChaud(nullptr);
    clear();
    disposition_ = std::move(disposition);
    for (const SBoutonBarre& b : disposition_.boutons()) {
        QAction* a = b.estSeparateur() ? nullptr : action(b.commande);
        if (a)
            addWidget(new CBoutonBarre(*this, a));
        else if (b.estSeparateur())
            addWidget(new CSeparateurBarre(this));
    }
}

QList<QAction*> CToolBarEx::actionsDesBoutons() const
{
    QList<QAction*> liste;
    for (QAction* a : actions()) {
        const auto* bouton = qobject_cast<const QToolButton*>(widgetForAction(a));
        if (bouton)
            liste.append(bouton->defaultAction());
        else if (dynamic_cast<const CSeparateurBarre*>(widgetForAction(a)))
            liste.append(nullptr);
    }
    return liste;
}

void CToolBarEx::entrerDans(QToolButton* bouton)
{
    // A disabled button never rises, nor any while the window is in the background.
    if (!bouton->isEnabled() || !window()->isActiveWindow())
        return;
    changerChaud(bouton);
    minuterie_.start();
}

void CToolBarEx::verifierPointeur()
{
    if (!chaud_) {
        minuterie_.stop();
        return;
    }
    const QPoint pointeur = QCursor::pos();
    const QWidget* dessous = QApplication::widgetAt(pointeur);
    const bool surLeBouton = chaud_->rect().contains(chaud_->mapFromGlobal(pointeur));
    if (!surLeBouton || dessous != chaud_ || !chaud_->isEnabled())
        changerChaud(nullptr);
}

void CToolBarEx::changerChaud(QToolButton* bouton)
{
    if (bouton == chaud_)
        return;
    QToolButton* ancien = chaud_;
    chaud_ = bouton;
    if (ancien)
        ancien->update();
    if (chaud_)
        chaud_->update();
}
