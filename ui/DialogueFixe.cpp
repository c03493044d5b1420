#include "ui/DialogueFixe.h"

#include <algorithm>

#include <QDialog>
#include <QFontMetrics>
#include <QStyle>

void fixerDialogue(QDialog& dialogue, QSize minimum)
{
    dialogue.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint);
    // Title bars use a bold font on most desktops; the icon and the close button take
    // about two title-bar heights.
    QFont gras = dialogue.font();
    gras.setBold(true);
    const int barre = dialogue.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialogue);
    // A title made of a user's long name does not make the window wider than this.
    constexpr int kLargeurTitreMax = 640;
    const int titre = std::min(QFontMetrics(gras).horizontalAdvance(dialogue.windowTitle()) + 3 * barre,
                               kLargeurTitreMax);
    dialogue.setFixedSize(dialogue.sizeHint().expandedTo(minimum).expandedTo(QSize(titre, 0)));
}
