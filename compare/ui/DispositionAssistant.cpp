#include "compare/ui/DispositionAssistant.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "ui/UnitesDialogue.h"

QHBoxLayout* rangeeBoutonsAssistant(QPushButton& precedent, QPushButton& suivant)
{
    precedent.setObjectName(QStringLiteral("c2"));
    suivant.setObjectName(QStringLiteral("c1"));
    suivant.setDefault(true);
    precedent.setAutoDefault(false);
    auto* rangee = new QHBoxLayout;
    rangee->addStretch(1);
    rangee->addWidget(&precedent);
    rangee->addWidget(&suivant);
    return rangee;
}

void fixerTailleAssistant(QDialog& dialogue, bool agrandissable)
{
    constexpr int kLargeurUnites = 186;
    constexpr int kHauteurUnites = 188;
    const QSize taille = dialogue.sizeHint().expandedTo(
        QSize(pixelsHorizontaux(dialogue, kLargeurUnites), pixelsVerticaux(dialogue, kHauteurUnites)));
    if (!agrandissable) {
        dialogue.setFixedSize(taille);
        return;
    }
    dialogue.setMinimumSize(taille);
    dialogue.resize(taille);
    dialogue.setSizeGripEnabled(true);
}
