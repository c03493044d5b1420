#pragma once
// Opening a catalogued path with the desktop. When the path is not there the user is
// asked for the disk the snapshot came from, by its label and serial, until the right
// disk lets the path open or the user cancels; a path that is there but that no
// program opens is said so, once.

#include <string>

class CElement;
class CRequete;
class CUtilisateur;

// "&Ouvrir" on a file, a folder or a query: its path, asking `utilisateur` first when
// the catalogue files it elsewhere than the path leads, and for the disk when missing.
void ouvrir(CUtilisateur& utilisateur, CElement& noeud);
// "Ouvrir le &dossier contenant": a file's folder; for a folder or a query, its query's.
void ouvrirDossierContenant(CUtilisateur& utilisateur, CElement& noeud);

// An opener that fails after it started tells `utilisateur` later, on the thread the
// platform delivers it to: `utilisateur` must outlive it.
void ouvrirAvecDisque(CUtilisateur& utilisateur, const std::string& chemin, const CRequete& requete);

// "Impossible d'ouvrir « <path> » : aucun programme ...".
std::string texteEchecOuvreur(const std::string& chemin);

// "Insérez le disque '<label>'.\nNuméro de série: <serial>"; an empty label names the
// query's folder instead, and a serial of 0 is left out.
std::string texteDemandeDisque(const CRequete& requete);

// Asked before opening an entry whose path leads elsewhere than the catalogue shows it
// (`nom` filed in `dossierAnnonce`, but the path is `cheminReel`): true to open it.
bool confirmerCheminReel(CUtilisateur& utilisateur, const std::string& nom, const std::string& dossierAnnonce, const std::string& cheminReel);
