#include "search/ui/CPageRecherche.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>

CPageRecherche::CPageRecherche(int idDialogue, const QString& titre, QWidget* parent)
    : QWidget(parent), titre_(titre)
{
    setObjectName(QStringLiteral("page%1").arg(idDialogue));
}

QString CPageRecherche::nomControle(int id)
{
    return QStringLiteral("c%1").arg(id);
}

QWidget* CPageRecherche::explication(const QString& texte)
{
    auto* l = new QLabel(texte, this);
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLineEdit* CPageRecherche::champChiffres(int id, int chiffres)
{
    auto* champ = nommer(new QLineEdit(this), id);
    champ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    champ->setMaxLength(chiffres);
    champ->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), champ));
    // Room for the digits, one more for the cursor, and the frame the style draws.
    QStyleOptionFrame option;
    option.initFrom(champ);
    // (QLineEdit keeps a margin of 2 pixels on each side of its text.)
    const QSize texte(champ->fontMetrics().horizontalAdvance(QString(chiffres + 1, u'0')) + 4,
                      champ->fontMetrics().height());
    champ->setFixedWidth(champ->style()->sizeFromContents(QStyle::CT_LineEdit, &option, texte, champ).width());
    return champ;
}

void CPageRecherche::designer(QLineEdit& champ)
{
    champ.setFocus(Qt::OtherFocusReason);
    champ.selectAll();
}
