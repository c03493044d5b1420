#include "dialogs/CAProposDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Version.h"
#include "ui/DialogueFixe.h"

CAProposDlg::CAProposDlg(const QIcon& icone, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("A propos de Norvanel"));
    auto* image = new QLabel(this);
    image->setPixmap(icone.pixmap(32, 32));
    image->setAlignment(Qt::AlignTop);
    auto* texte = new QLabel(QStringLiteral("Norvanel version %1").arg(QString::fromUtf8(kVersionNorvanel)), this);
    texte->setObjectName(QStringLiteral("texteVersion"));
    auto* boutons = new QDialogButtonBox(this);
    QPushButton* ok = boutons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* haut = new QHBoxLayout;
    haut->addWidget(image);
    haut->addSpacing(12);
    haut->addWidget(texte, 1);
    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(haut);
    disposition->addWidget(boutons);
    fixerDialogue(*this, QSize(280, 0));
}
