#pragma once
// Opening a catalogued path with the desktop. When the path is not there the user is
// asked for the disk the snapshot came from, by its label and serial, until the right
// disk lets the path open or the user cancels; a path that is there but that no
// program opens is said so, once.

#include <string>

class CElement;
class CRequete;

// "&Ouvrir" on a file, a folder or a query: its path, asking first when the catalogue
// files it elsewhere than the path leads.
void ouvrir(CElement& noeud);
// "Ouvrir le &dossier contenant": a file's folder; for a folder or a query, its query's.
void ouvrirDossierContenant(CElement& noeud);

void ouvrirAvecDisque(const std::string& chemin, const CRequete& requete);

// "Impossible d'ouvrir « <path> » : aucun programme ...".
std::string texteEchecOuvreur(const std::string& chemin);

// "Insérez le disque '<label>'.\nNuméro de série: <serial>"; an empty label names the
// query's folder instead, and a serial of 0 is left out.
std::string texteDemandeDisque(const CRequete& requete);

// Asked before opening an entry whose path leads elsewhere than the catalogue shows it
// (`nom` filed in `dossierAnnonce`, but the path is `cheminReel`): true to open it.
bool confirmerCheminReel(const std::string& nom, const std::string& dossierAnnonce, const std::string& cheminReel);
