#include "ui/TableCommandes.h"

#include <algorithm>
#include <array>

#include "ui/IdCommandes.h"

namespace {

// The Delete key is no accelerator of "&Supprimer": only the tree reacts to it.
constexpr std::array kCommandes = {
    SCommande{cmd::Nouveau, "&Nouveau\tCtrl+N", "Ctrl+N", "Crée un nouveau document\nNouveau", "nouveau", false},
    SCommande{cmd::Ouvrir, "&Ouvrir...\tCtrl+O", "Ctrl+O", "Ouvre un document existant\nOuvrir", "ouvrir", false},
    SCommande{cmd::Fermer, "&Fermer", "", "Ferme le document actif\nFermer", "", false},
    SCommande{cmd::Enregistrer, "&Enregistrer\tCtrl+S", "Ctrl+S", "Enregistre le document actif\nEnregistrer", "enregistrer", false},
    SCommande{cmd::EnregistrerSous, "En&registrer sous...", "",
              "Enregistre le document actif sous un nouveau nom\nEnregistrer sous", "", false},
    SCommande{cmd::Imprimer, "&Imprimer...\tCtrl+P", "Ctrl+P", "Imprime le document actif\nImprimer", "imprimer", false},
    SCommande{cmd::ApercuImpression, "Aperçu a&vant impression", "",
              "Affiche des pages entières\nAperçu avant impression", "apercu", false},
    SCommande{cmd::ConfigurationImpression, "Confi&guration de l'impression...", "",
              "Change les options d'imprimante et d'impression\nConfiguration de l'impression", "", false},
    SCommande{cmd::Quitter, "&Quitter", "",
              "Ferme l'application et propose d'enregistrer les documents\nQuitter", "", false},
    SCommande{cmd::Supprimer, "&Supprimer\tSuppr", "", "Supprime l'objet sélectionné\nSupprimer", "supprimer", false},
    SCommande{cmd::Renommer, "&Renommer\tF2", "F2", "Renomme l'objet sélectionné\nRenommer", "", false},
    SCommande{cmd::Proprietes, "&Propriétés...\tF4", "F4",
              "Affiche les propriétés de l'objet sélectionné\nPropriétés", "proprietes", false},
    SCommande{cmd::NouveauClasseur, "Nouveau c&lasseur...\tCTRL+C", "Ctrl+C",
              "Crée un nouveau classeur\nNouveau classeur", "nouveau-classeur", false},
    SCommande{cmd::NouvelleRequete, "&Nouvelle requête...\tCTRL+R", "Ctrl+R",
              "Crée une requête dans le classeur courant\nNouvelle requête", "nouvelle-requete", false},
    SCommande{cmd::ModifierRequete, "M&odifier la requête...\tCTRL+M", "Ctrl+M",
              "Modifie la requête sélectionnée\nModifier requête", "modifier-requete", false},
    SCommande{cmd::Rechercher, "&Rechercher...\tF3", "F3", "Recherche des fichiers\nRechercher", "rechercher", false},
    SCommande{cmd::ResultatsRecherche, "Ré&sultats de la recherche\tMAJ+F3", "Shift+F3",
              "Affiche la fenêtre des résultats de la recherche\nRésultats recherche", "", false},
    SCommande{cmd::ComparerRequetes, "&Comparer des requêtes...\tF7", "F7", "Compare deux requêtes\nComparer",
              "comparer", false},
    SCommande{cmd::ResultatsComparaison, "Rés&ultats de la comparaison\tMAJ+F7", "Shift+F7",
              "Affiche la fenêtre des résultats de la comparaison\nRésultats comparaison", "", false},
    SCommande{cmd::MettreAJour, "&Mettre à jour\tF5", "F5",
              "Met à jour la requête ou le classeur sélectionné\nMettre à jour", "", false},
    SCommande{cmd::ToutMettreAJour, "&Tout mettre à jour\tCTRL+F5", "Ctrl+F5",
              "Met à jour toutes les requêtes du document\nTout mettre à jour", "", false},
    SCommande{cmd::BarreOutils, "&Barre d'outils", "", "Affiche ou masque la barre d'outils\nBarre d'outils", "", true},
    SCommande{cmd::BarreEtat, "Barre d'é&tat", "", "Affiche ou masque la barre d'état\nBarre d'état", "", true},
    SCommande{cmd::Fractionner, "&Fractionner", "", "Réorganise les fenêtres en une mosaïque\nMosaïque", "", false},
    SCommande{cmd::SousDossiers, "&Sous-dossiers", "", "Affiche les sous-dossiers\nSous-dossiers", "sous-dossiers", true},
    SCommande{cmd::FiltreRecherche, "Filtre &recherche", "",
              "N'affiche que les fichiers trouvés par la recherche\nFiltre recherche", "filtre-recherche", true},
    SCommande{cmd::Cascade, "&Cascade", "", "Réorganise les fenêtres en cascade\nCascade", "", false},
    SCommande{cmd::Mosaique, "&Mosaïque", "", "Réorganise les fenêtres en une mosaïque\nMosaïque", "", false},
    SCommande{cmd::ReorganiserIcones, "&Réorganiser les icônes", "",
              "Réorganise les icônes en bas de la fenêtre\nRéorganise les icônes", "", false},
    SCommande{cmd::APropos, "&A propos de Norvanel...", "",
              "Affiche des informations sur le programme, le numéro de version et le copyright\nA propos de",
              "a-propos", false},
    SCommande{cmd::OuvrirElement, "&Ouvrir", "", "Ouvrir", "", false},
    SCommande{cmd::OuvrirDossierContenant, "Ouvrir le &dossier contenant", "",
              "Ouvre le dossier contenant cet élément", "", false},
    SCommande{cmd::PanneauSuivant, "", "F6", "", "", false},
};

constexpr std::array kBoutons = {
    cmd::Nouveau, cmd::Ouvrir, cmd::Enregistrer, 0, cmd::Imprimer, cmd::ApercuImpression, 0,
    cmd::Supprimer, cmd::Proprietes, 0, cmd::Rechercher, 0, cmd::NouveauClasseur,
    cmd::NouvelleRequete, cmd::ModifierRequete, cmd::ComparerRequetes, 0, cmd::SousDossiers,
    cmd::FiltreRecherche, 0, cmd::APropos,
};

} // namespace

std::span<const SCommande> tableCommandes()
{
    return kCommandes;
}

const SCommande* commande(int id)
{
    const auto it = std::find_if(kCommandes.begin(), kCommandes.end(),
                                 [id](const SCommande& c) { return c.id == id; });
    return it == kCommandes.end() ? nullptr : &*it;
}

std::span<const int> boutonsBarreOutils()
{
    return kBoutons;
}
