#include "shell/CBarreEtat.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

#include "compare/DecompteComparaison.h"
#include "shell/EtatVerrous.h"

namespace {

// "4 512": the thousands apart by a no-break space, so that a count is never cut.
QString chiffresGroupes(std::size_t nombre)
{
    QString chiffres = QString::number(nombre);
    for (qsizetype i = chiffres.size() - 3; i > 0; i -= 3)
        chiffres.insert(i, QChar(0x00A0));
    return chiffres;
}

QLabel* indicateur(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    // Room for the text whether or not it shows.
    l->setMinimumWidth(QFontMetrics(l->font()).horizontalAdvance(QStringLiteral("MAJ")) + 12);
    return l;
}

} // namespace

CBarreEtat::CBarreEtat(QWidget* parent)
    : QStatusBar(parent), pret_(new QLabel(QStringLiteral("Prêt"), this)),
      majuscules_(indicateur(this)), numerique_(indicateur(this))
{
    setObjectName(QStringLiteral("barreEtat"));
    // A normal widget: hidden while a prompt shows, back when it is cleared.
    addWidget(pret_, 1);
    addPermanentWidget(majuscules_);
    addPermanentWidget(numerique_);
    actualiserVerrous();
    auto* minuterie = new QTimer(this);
    connect(minuterie, &QTimer::timeout, this, &CBarreEtat::actualiserVerrous);
    minuterie->start(300);
}

QString CBarreEtat::texteMessage() const
{
    const QString message = currentMessage();
    return message.isEmpty() ? pret_->text() : message;
}

QString CBarreEtat::texteMajuscules() const
{
    return majuscules_->text();
}

QString CBarreEtat::texteNumerique() const
{
    return numerique_->text();
}

bool CBarreEtat::verrousAffiches() const
{
    return !majuscules_->isHidden();
}

void CBarreEtat::actualiserVerrous()
{
    const SEtatVerrous etat = lireEtatVerrous();
    // A state nobody can read is not shown as "off".
    majuscules_->setVisible(etat.lisible);
    numerique_->setVisible(etat.lisible);
    majuscules_->setText(etat.majuscules ? QStringLiteral("MAJ") : QString());
    numerique_->setText(etat.numerique ? QStringLiteral("NUM") : QString());
}

QString CBarreEtat::texteFichiersTrouves(std::size_t nombre)
{
    if (nombre == 0)
        return QStringLiteral("Aucun fichier trouvé");
    if (nombre == 1)
        return QStringLiteral("1 fichier trouvé");
    return chiffresGroupes(nombre) + QStringLiteral(" fichiers trouvés");
}

void CBarreEtat::annoncerFichiersTrouves(std::size_t nombre, ESujet sujet)
{
    annoncer(sujet, texteFichiersTrouves(nombre));
}

void CBarreEtat::annoncer(ESujet sujet, const QString& texte)
{
    sujet_ = sujet;
    annonce_ = texte;
    showMessage(texte);
}

QString CBarreEtat::texteTravail(const QString& titre)
{
    return QStringLiteral("Mise à jour de « %1 » en cours : ce catalogue ne peut être ni modifié ni fermé avant sa fin")
        .arg(titre);
}

void CBarreEtat::annoncerTravail(const QString& titre)
{
    annoncer(ESujet::Travail, texteTravail(titre));
}

QString CBarreEtat::texteImpression(const QString& titre)
{
    return QStringLiteral("Impression de « %1 » en cours : ce catalogue ne peut être ni modifié ni fermé avant sa fin")
        .arg(titre);
}

void CBarreEtat::annoncerImpression(const QString& titre)
{
    annoncer(ESujet::Travail, texteImpression(titre));
}

void CBarreEtat::oublier(ESujet sujet)
{
    // A prompt or a later announcement is left alone.
    if (sujet_ == sujet && !annonce_.isEmpty() && currentMessage() == annonce_)
        clearMessage();
}

QString CBarreEtat::texteComparaison(const SDecompteComparaison& d, const QString& premiere, const QString& seconde)
{
    return QStringLiteral("%1 seulement dans « %2 », %3 seulement dans « %4 », %5 dans les deux")
        .arg(chiffresGroupes(d.seulsDansPremiere), premiere, chiffresGroupes(d.seulsDansSeconde), seconde,
             chiffresGroupes(d.premiereDansLesDeux));
}

void CBarreEtat::annoncerComparaison(const SDecompteComparaison& decompte, const QString& premiere,
                                     const QString& seconde)
{
    annoncer(ESujet::Comparaison, texteComparaison(decompte, premiere, seconde));
}
