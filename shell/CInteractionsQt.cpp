#include "shell/CInteractionsQt.h"

#include <QMessageBox>
#include <QString>

#include "model/CRequete.h"
#include "platform/CPlateforme.h"

void CInteractionsQt::afficherProprietes(const SProprietes& p)
{
    QString texte;
    if (p.avecVolume)
        texte += QStringLiteral("Nom du volume : %1\nNuméro de série : %2-%3\n\n")
                     .arg(QString::fromStdString(p.nomVolume))
                     .arg(QString::number(p.numeroSerie >> 16, 16).toUpper(),
                          QString::number(p.numeroSerie & 0xFFFF, 16).toUpper());
    texte += QStringLiteral("Dossiers : %1\nFichiers : %2\nTaille totale : %3")
                 .arg(p.dossiers)
                 .arg(p.fichiers)
                 .arg(QString::fromStdString(plateforme().texteTaille(p.tailleTotale)));
    QMessageBox boite(QMessageBox::Information, QString::fromStdString(p.titre), texte,
                      QMessageBox::Ok, fenetre_);
    boite.exec();
}

bool CInteractionsQt::editerParametres(CRequete& requete, bool creation)
{
    (void)creation;
    const auto dossier = plateforme().choisirDossier("Dossier à lister:");
    if (!dossier)
        return false;
    requete.definirChemin(*dossier);
    return true;
}
