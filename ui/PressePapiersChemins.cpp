#include "ui/PressePapiersChemins.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>
#include <QUrl>

#include "ui/CheminsQt.h"

void copierChemins(const std::vector<std::string>& chemins)
{
    if (chemins.empty())
        return;
    QStringList textes;
    QList<QUrl> adresses;
    for (const std::string& c : chemins) {
        textes << cheminQt(c);
        adresses << QUrl::fromLocalFile(textes.back());
    }
    auto* donnees = new QMimeData;
    donnees->setText(textes.join(u'\n'));
    donnees->setUrls(adresses);
    QGuiApplication::clipboard()->setMimeData(donnees);
}
