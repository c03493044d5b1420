#include "ui/CResultatsDlg.h"

#include <QIcon>
#include <QTreeWidget>
#include <QVBoxLayout>

CResultatsDlg::CResultatsDlg(int id, const QString& titre, const QIcon& icone, QWidget* parent)
    : QDialog(parent), id_(id)
{
    setWindowTitle(titre);
    setWindowIcon(icone);
    setModal(false);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* liste = new QTreeWidget(this);
    liste->setRootIsDecorated(false);
    liste->setHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Taille"), QStringLiteral("Créé"),
                            QStringLiteral("Modifié"), QStringLiteral("Accédé"),
                            QStringLiteral("Attribut"), QStringLiteral("Dossier")});
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(4, 4, 4, 4);
    disposition->addWidget(liste);
    resize(620, 360);
}
