#include "compare/ui/CComparaisonDlg.h"

#include "compare/StatutsComparaison.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "model/CRequete.h"
#include "ui/CEtiquetteAbregee.h"
#include "ui/CImagesApplication.h"

namespace {

// Under the list: 8 pixels, then three rows of a 16-pixel picture and, 6 pixels to its
// right, its legend; 6 pixels under the last row. The rows are 14 pixels apart, or
// the height of a line of text when the font needs more.
constexpr int kEcartListe = 8;
constexpr int kEcartImage = 6;
constexpr int kMargeBas = 6;
constexpr int kMarge = 8;
constexpr int kPasLignes = 14;
constexpr int kCoteImage = 16;

// A query's name for the title and the legends: a line break or a tab in it would
// push the rest out of its line.
QString nomAffiche(const CRequete& requete)
{
    QString nom = QString::fromStdString(requete.nom());
    for (QChar& c : nom)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return nom;
}

} // namespace

CComparaisonDlg::CComparaisonDlg(const CImagesApplication& images, QWidget* parent)
    : CResultatsDlg(151, QString(), images.icone(151), images.tri(), parent, images.comparaison()),
      zoneLegende_(new QWidget(this))
{
    setMinimumSize(200, 200);
    zoneLegende_->setObjectName(QStringLiteral("legende"));
    auto* grille = new QGridLayout(zoneLegende_);
    grille->setContentsMargins(0, 0, 0, 0);
    grille->setHorizontalSpacing(kEcartImage);
    grille->setVerticalSpacing(0);
    const int pas = std::max(kPasLignes, fontMetrics().height());
    for (int statut = 0; statut < 3; ++statut) {
        auto* image = new QLabel(zoneLegende_);
        image->setFixedSize(kCoteImage, kCoteImage);
        image->setPixmap(images.comparaison().value(statut).pixmap(QSize(kCoteImage, kCoteImage),
                                                                   devicePixelRatioF()));
        auto* legende = new CEtiquetteAbregee(zoneLegende_);
        legendes_[static_cast<std::size_t>(statut)] = legende;
        grille->addWidget(image, statut, 0, Qt::AlignVCenter);
        grille->addWidget(legende, statut, 1, Qt::AlignVCenter);
        grille->setRowMinimumHeight(statut, pas);
    }
    grille->setColumnStretch(1, 1);
    disposition().setSpacing(kEcartListe);
    disposition().addWidget(zoneLegende_);
    // As much taller than the search results as the legend needs.
    resize(width(), height() + kEcartListe + 3 * pas);

    definirPaire(nullptr, nullptr);
}

QString CComparaisonDlg::legende(int statut) const
{
    return statut >= 0 && statut < 3 ? legendes_[static_cast<std::size_t>(statut)]->texteEntier() : QString();
}

void CComparaisonDlg::definirPaire(CRequete* premiere, CRequete* seconde)
{
    premiere_ = premiere;
    seconde_ = seconde;
    const bool paire = premiere && seconde;
    zoneLegende_->setVisible(paire);
    disposition().setContentsMargins(kMarge, kMarge, kMarge, paire ? kMargeBas : kMarge);
    if (paire)
        retrier();
    else
        CResultatsDlg::vider();
    ecrireTextes();
    if (!paire)
        emit paireOubliee();
}

void CComparaisonDlg::ecrireTextes()
{
    if (!premiere_ || !seconde_) {
        setWindowTitle(QStringLiteral("Aucune comparaison n'a été effectuée"));
        for (CEtiquetteAbregee* l : legendes_)
            l->definirTexte(QString());
        return;
    }
    const QString a = nomAffiche(*premiere_);
    const QString b = nomAffiche(*seconde_);
    // A window title takes "[*]" for a mark of its own, and "[*][*]" for the text "[*]".
    setWindowTitle(QStringLiteral("Résultats de la comparaison entre les requêtes %1 et %2")
                       .arg(a, b)
                       .replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    const QString seulement = QStringLiteral("Fichiers présents uniquement dans la requête %1");
    legendes_[0]->definirTexte(seulement.arg(a));
    legendes_[1]->definirTexte(seulement.arg(b));
    legendes_[2]->definirTexte(QStringLiteral("Fichiers présents dans les deux requêtes"));
}

std::string CComparaisonDlg::legendeExport() const
{
    if (!premiere_ || !seconde_)
        return {};
    std::string r;
    for (int statut = 0; statut < 3; ++statut)
        r += (statut ? " " : "") + texteStatutExport(statut) + " : " + legende(statut).toStdString() + ".";
    return r;
}

std::string CComparaisonDlg::texteStatutExport(std::int32_t statut) const
{
    if (!premiere_ || !seconde_)
        return std::to_string(statut);
    return texteStatut(statut, premiere_->nom(), seconde_->nom());
}
