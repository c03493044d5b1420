#include "ui/Icones.h"

#include <array>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources are compiled into the library: register them even when the linker
// would otherwise leave their initialiser out. At global scope: the macro declares the
// initialiser, which must not land in a namespace.
static void enregistrerRessources()
{
    static const bool faites = [] {
        Q_INIT_RESOURCE(norvanel);
        return true;
    }();
    (void)faites;
}

namespace {

// 16 px and the scales of high-density screens; the toolbar asks for 24 px too.
constexpr std::array kTailles = {16, 20, 24, 32, 40, 48, 64};

void ajouterRendus(QIcon& icone, const QString& nom)
{
    enregistrerRessources();
    QSvgRenderer rendu(QStringLiteral(":/icones/%1.svg").arg(nom));
    if (!rendu.isValid())
        return;
    for (int t : kTailles) {
        QImage image(t, t, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        rendu.render(&peintre);
        peintre.end();
        icone.addPixmap(QPixmap::fromImage(image));
    }
}

} // namespace

QIcon iconeSvg(const QString& nom)
{
    QIcon icone;
    ajouterRendus(icone, nom);
    return icone;
}

QIcon paireImages(const QIcon& normal, const QIcon& selection)
{
    QIcon icone;
    for (const QSize& t : normal.availableSizes())
        icone.addPixmap(normal.pixmap(t), QIcon::Normal);
    for (const QSize& t : selection.availableSizes())
        icone.addPixmap(selection.pixmap(t), QIcon::Selected);
    return icone;
}
