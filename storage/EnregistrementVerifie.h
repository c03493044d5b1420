#pragma once
// The window program's save. It holds the catalogue lock while it writes (so it never
// mixes with a command-line change), and when the file is the document's own and
// another program changed it since it was loaded or saved, the user is asked first
// whether to replace it.

#include <string>

class CDoc;
class CUtilisateur;
class CUtilisateur;

enum class EIssueEnregistrement { Enregistre, Annule, Echec };

struct [[nodiscard]] SEnregistrement {
    EIssueEnregistrement issue = EIssueEnregistrement::Echec;
    std::string message;  // for Echec, in French
};

// `utilisateur` is asked whether to write over a change made by another program.
SEnregistrement enregistrerApresVerification(CDoc& doc, const std::string& chemin, CUtilisateur& utilisateur);

// The question asked then.
std::string questionFichierModifie(const std::string& chemin);
