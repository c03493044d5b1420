#pragma once
// Opening a catalogued path with the desktop. When the path cannot be opened the
// user is asked for the disk the snapshot came from, by its label and serial, until
// the right disk lets the path open or the user cancels.

#include <string>

class CRequete;

void ouvrirAvecDisque(const std::string& chemin, const CRequete& requete);

// "Insérez le disque '<label>'.\nNuméro de série: <serial>".
std::string texteDemandeDisque(const CRequete& requete);

// Asked before opening an entry whose path leads elsewhere than the catalogue shows it
// (`nom` filed in `dossierAnnonce`, but the path is `cheminReel`): true to open it.
bool confirmerCheminReel(const std::string& nom, const std::string& dossierAnnonce, const std::string& cheminReel);
