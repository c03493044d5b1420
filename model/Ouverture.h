#pragma once
// Opening a catalogued path with the desktop. When the path cannot be opened the
// user is asked for the disk the snapshot came from, by its label and serial, until
// the right disk lets the path open or the user cancels.

#include <string>

class CRequete;

void ouvrirAvecDisque(const std::string& chemin, const CRequete& requete);

// "Insérez le disque '<label>'.\nNuméro de série: <serial>".
std::string texteDemandeDisque(const CRequete& requete);
