// Our pictures: every icon the windows use exists, is drawn at 16 px and at twice that
// for high-density screens, and the tree shows another picture for a selected binder
// or query.

#include <gtest/gtest.h>

#include <QImage>

#include "ui/CImagesApplication.h"
#include "shell/CModeleArbre.h"
#include "ui/Icones.h"
#include "ui/TableCommandes.h"

namespace {

bool dessinee(const QIcon& icone, int taille)
{
    const QImage image = icone.pixmap(taille, taille).toImage();
    if (image.isNull() || image.width() != taille)
        return false;
    // Not an empty square: some pixels are opaque.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                return true;
    return false;
}

} // namespace

TEST(Images, ChaqueIconeEstDessineeA16EtA32Pixels)
{
    const CImagesApplication images;
    for (int id : {100, 101, 111, 151, 200, 201, 202, 203, 204, 205, 206}) {
        EXPECT_TRUE(dessinee(images.icone(id), 16)) << id;
        EXPECT_TRUE(dessinee(images.icone(id), 32)) << id;
    }
    ASSERT_EQ(images.arbre().size(), 4);
    ASSERT_EQ(images.tri().size(), 2);
    ASSERT_EQ(images.comparaison().size(), 3);
    for (const QIcon& i : images.arbre() + images.tri() + images.comparaison())
        EXPECT_TRUE(dessinee(i, 16));
    for (const SCommande& c : tableCommandes()) {
        if (*c.icone) {
            EXPECT_TRUE(dessinee(iconeSvg(QString::fromLatin1(c.icone)), 16)) << c.icone;
        }
    }
    EXPECT_TRUE(iconeSvg(QStringLiteral("inexistante")).isNull());
}

TEST(Images, UnClasseurOuUneRequeteSelectionnesChangentDImage)
{
    const CImagesApplication images;
    CModeleArbre modele(images.arbre());
    auto* classeur = modele.inserer(nullptr, QStringLiteral("Général"), 0, 1, nullptr);
    auto* requete = modele.inserer(classeur, QStringLiteral("cd"), 2, 3, nullptr);
    for (auto* item : {classeur, requete}) {
        const QIcon icone = modele.indexDe(item).data(Qt::DecorationRole).value<QIcon>();
        const QImage normale = icone.pixmap(16, 16, QIcon::Normal).toImage();
        const QImage choisie = icone.pixmap(16, 16, QIcon::Selected).toImage();
        EXPECT_FALSE(normale.isNull());
        EXPECT_NE(normale, choisie) << item->libelle.toStdString();
    }
}
