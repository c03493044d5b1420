#pragma once
// Our pictures, drawn as SVG in resources/icones and rendered here at the sizes a
// screen asks for (16 px, and 2x for high-density screens), so they stay crisp.

#include <QIcon>
#include <QString>

// The picture `nom` (resource ":/icones/<nom>.svg"); a null icon when it is missing.
QIcon iconeSvg(const QString& nom);

// `normal` as the item's picture, and `selection` while the item is selected (the tree's
// pairs of images: closed and open folder, query and selected query).
QIcon paireImages(const QIcon& normal, const QIcon& selection);
