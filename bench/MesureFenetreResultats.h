#pragma once
// What the benchmarks of the result windows share: painting one viewport, checking the
// order of the rows, and a header click on each column timed both ways.

#include <algorithm>
#include <cstdio>
#include <string>

#include <QCoreApplication>
#include <QTreeView>

#include "bench/Mesure.h"
#include "model/TriListe.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"

inline void laisserPeindre(CResultatsDlg& fenetre)
{
    fenetre.liste().viewport()->repaint();
    QCoreApplication::processEvents();
}

// True when the window's rows follow its sort column and direction.
inline bool lignesTriees(CModeleResultats& m)
{
    const CLignesResultats lignes(m.columnCount() == 8);
    const int champ = lignes.champDeColonne(m.colonneTri());
    for (int i = 1; i < m.rowCount(); ++i) {
        const int c = comparerFichiers(*m.fichier(i - 1), *m.fichier(i), champ);
        if (m.croissant() ? c > 0 : c < 0)
            return false;
    }
    return true;
}

inline void afficherObjectif(const char* quoi, double secondes, double objectif)
{
    std::printf("  objectif %s < %.1f s : %s (%.3f s)\n", quoi, objectif, secondes < objectif ? "atteint" : "MANQUÉ",
                secondes);
}

// For each column: each round first sorts ascending on the next column (not timed),
// then times a header click on this one (ascending), then a second click (descending),
// each with the repaint. Prints a line per column and direction; the worst median.
inline double mesurerTrisParColonne(CResultatsDlg& fenetre, int tours)
{
    CModeleResultats& modele = fenetre.modele();
    const double n = modele.rowCount();
    double pire = 0;
    bool toutesTriees = true;
    for (int col = 0; col < modele.columnCount(); ++col) {
        const int autre = (col + 1) % modele.columnCount();
        auto preparer = [&] {
            modele.trierSur(autre);
            if (!modele.croissant())
                modele.trierSur(autre);
        };
        const auto croissant = mesurerTours(tours, preparer, [&] {
            fenetre.trierSur(col);
            laisserPeindre(fenetre);
        });
        toutesTriees = toutesTriees && lignesTriees(modele) && modele.croissant();
        const auto decroissant = mesurerTours(tours, [&] { preparer(); modele.trierSur(col); }, [&] {
            fenetre.trierSur(col);
            laisserPeindre(fenetre);
        });
        toutesTriees = toutesTriees && lignesTriees(modele) && !modele.croissant();
        QString titre = modele.headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
        if (titre.isEmpty())
            titre = QStringLiteral("statut");
        const std::string libelle = "trier sur « " + titre.toStdString() + " »";
        afficherLigne((libelle + " ↑").c_str(), croissant, n);
        afficherLigne((libelle + " ↓").c_str(), decroissant, n);
        pire = std::max({pire, mediane(croissant), mediane(decroissant)});
    }
    std::printf("  toutes les colonnes triées : %s\n", toutesTriees ? "oui" : "NON");
    return pire;
}
