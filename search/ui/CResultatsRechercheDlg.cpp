#include "search/ui/CResultatsRechercheDlg.h"

#include "platform/TexteAffichable.h"

QString titreResultatsRecherche()
{
    return QStringLiteral("Résultats de la recherche");
}

QString titreResultatsRapides(const std::string& texte)
{
    const QString titre = QStringLiteral("Résultats de la recherche rapide");
    return texte.empty() ? titre : titre + u' ' + QString::fromStdString(entreGuillemets(texte));
}

CResultatsRechercheDlg::CResultatsRechercheDlg(const QIcon& icone, const QList<QIcon>& imagesTri, QWidget* parent)
    : CResultatsDlg(111, titreResultatsRecherche(), icone, imagesTri, parent)
{
}
