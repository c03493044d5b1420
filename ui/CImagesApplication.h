#pragma once
// The pictures every window shares: the three image lists, in the index order the
// views rely on, and the icons by their resource number.

#include <QIcon>
#include <QList>

class CImagesApplication {
public:
    CImagesApplication();

    // 0 closed folder, 1 open folder, 2 query, 3 selected query.
    const QList<QIcon>& arbre() const { return arbre_; }
    // 0 ascending (200), 1 descending (201).
    const QList<QIcon>& tri() const { return tri_; }
    // 0 icon 205, 1 icon 204, 2 icon 206: comparison status 0, 1, 2.
    const QList<QIcon>& comparaison() const { return comparaison_; }

    // Icon 100 (program), 101 (document), 111 and 151 (result windows), 200 to 206;
    // a null icon for another number.
    QIcon icone(int id) const;

private:
    QList<QIcon> arbre_;
    QList<QIcon> tri_;
    QList<QIcon> comparaison_;
};
