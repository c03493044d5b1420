#pragma once
// Command numbers shared by the menus, the toolbar, the accelerators and the
// command targets. They are the numbers the catalogue's users know from the menus'
// prompts; nothing stores them.

namespace cmd {

// Application and document framework.
inline constexpr int Nouveau = 57600;
inline constexpr int Ouvrir = 57601;
inline constexpr int Fermer = 57602;
inline constexpr int Enregistrer = 57603;
inline constexpr int EnregistrerSous = 57604;
inline constexpr int ConfigurationImpression = 57606;
inline constexpr int Imprimer = 57607;
inline constexpr int ApercuImpression = 57609;
inline constexpr int FichierRecent1 = 57616;   // to 57619
inline constexpr int Quitter = 57665;
inline constexpr int APropos = 57664;

// Frame.
inline constexpr int ReorganiserIcones = 57649;
inline constexpr int Cascade = 57650;
inline constexpr int Mosaique = 57651;
inline constexpr int Fractionner = 57653;
inline constexpr int PanneauSuivant = 57680;
inline constexpr int BarreOutils = 59392;
inline constexpr int BarreEtat = 59393;

// Document.
inline constexpr int NouveauClasseur = 32791;
inline constexpr int NouvelleRequete = 32792;
inline constexpr int Rechercher = 32793;
inline constexpr int ResultatsRecherche = 32799;
inline constexpr int ResultatsComparaison = 32800;
inline constexpr int SousDossiers = 14000;

// Tree view.
inline constexpr int Supprimer = 13000;
inline constexpr int Proprietes = 13001;
inline constexpr int Renommer = 13002;
inline constexpr int MettreAJour = 32795;
inline constexpr int ToutMettreAJour = 32796;
inline constexpr int ModifierRequete = 32797;
inline constexpr int ComparerRequetes = 32798;

// List view.
inline constexpr int OuvrirElement = 34000;
inline constexpr int OuvrirDossierContenant = 34001;

// Application.
inline constexpr int FiltreRecherche = 32807;

inline constexpr int kNombreFichiersRecents = 4;

} // namespace cmd
