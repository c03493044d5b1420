#include "ui/CChampRechercheRapide.h"

#include <QKeyEvent>
#include <QToolBar>

CChampRechercheRapide::CChampRechercheRapide(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("rechercheRapide"));
    setPlaceholderText(QStringLiteral("Recherche rapide (Ctrl+F)"));
    setToolTip(QStringLiteral("Cherche dans tous les catalogues ouverts les fichiers dont le chemin contient "
                              "chacun des mots, sans tenir compte des majuscules ni des accents"));
    setClearButtonEnabled(true);
    // Wide enough for a few words, never more than the toolbar can spare.
    setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    setMaximumWidth(fontMetrics().averageCharWidth() * 40);
}

void CChampRechercheRapide::placerAuBoutDe(QToolBar& barre)
{
    auto* etirement = new QWidget(&barre);
    etirement->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    barre.addWidget(etirement);
    barre.addWidget(this);
}

void CChampRechercheRapide::prendreLaMain()
{
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void CChampRechercheRapide::keyPressEvent(QKeyEvent* evenement)
{
    if (evenement->key() == Qt::Key_Escape && evenement->modifiers() == Qt::NoModifier) {
        clear();
        return;
    }
    if ((evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter)) {
        emit valide();
        return;
    }
    QLineEdit::keyPressEvent(evenement);
}
