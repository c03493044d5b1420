#include "shell/ChoixAffichage.h"

#include <QtGlobal>

#include "platform/TexteAffichable.h"
#include "shell/LigneCommande.h"

SEnvironnementAffichage lireEnvironnementAffichage()
{
    return {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY")};
}

EAffichage choisirAffichage(const SLigneCommande& ligne, const SEnvironnementAffichage& environnement)
{
    // A platform the user named is tried as it is.
    if (!ligne.plateforme.isEmpty() || !environnement.plateformeQt.isEmpty())
        return EAffichage::Ordinaire;
    const bool imprimer = ligne.action == SLigneCommande::EAction::Imprimer;
    if (!ligne.affichage.isEmpty() || !environnement.x11.isEmpty() || !environnement.wayland.isEmpty())
        return imprimer ? EAffichage::OrdinaireSinonHorsEcran : EAffichage::Ordinaire;
    return imprimer ? EAffichage::HorsEcran : EAffichage::Aucun;
}

std::string texteSansAffichage()
{
    return "norvanel : aucun affichage n'est disponible (ni DISPLAY ni WAYLAND_DISPLAY) : la fenêtre ne peut "
           "pas s'ouvrir. « norvanel --print FICHIER » imprime sans affichage.\n";
}

std::string texteAffichageInjoignable(const SLigneCommande& ligne, const SEnvironnementAffichage& environnement)
{
    std::string essaye;
    const auto nommer = [&essaye](const char* quoi, const QString& valeur) {
        if (valeur.isEmpty())
            return;
        essaye += (essaye.empty() ? "" : ", ") + std::string(quoi) + " " + entreGuillemets(valeur.toStdString());
    };
    nommer("plateforme", !ligne.plateforme.isEmpty() ? ligne.plateforme : environnement.plateformeQt);
    nommer("DISPLAY", !ligne.affichage.isEmpty() ? ligne.affichage : environnement.x11);
    nommer("WAYLAND_DISPLAY", environnement.wayland);
    return "norvanel : l'affichage n'a pas pu être ouvert" + (essaye.empty() ? "" : " (" + essaye + ")") +
           " : Norvanel ne peut pas démarrer.\n";
}

bool plateformeSansEcran(const QString& nom)
{
    return nom == QStringLiteral("offscreen") || nom == QStringLiteral("minimal");
}
