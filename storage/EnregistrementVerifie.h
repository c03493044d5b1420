#pragma once
// The window program's save. It holds the catalogue lock while it writes (so it never
// mixes with a command-line change), and when the file is the document's own and
// another program changed it since it was loaded or saved, the user is asked first
// whether to replace it.

#include <string>

class CDoc;

enum class EIssueEnregistrement { Enregistre, Annule, Echec };

struct [[nodiscard]] SEnregistrement {
    EIssueEnregistrement issue = EIssueEnregistrement::Echec;
    std::string message;  // for Echec, in French
};

SEnregistrement enregistrerApresVerification(CDoc& doc, const std::string& chemin);

// The question asked then.
std::string questionFichierModifie(const std::string& chemin);
