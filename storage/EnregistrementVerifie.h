#pragma once
// The window program's save. It holds the catalogue lock while it writes (so it never
// mixes with a command-line change), and when the file is the document's own and
// another program changed it since it was loaded or saved, the user is asked first
// whether to replace it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CDoc;
class CUtilisateur;

enum class EIssueEnregistrement { Enregistre, Annule, Echec };

struct [[nodiscard]] SEnregistrement {
    EIssueEnregistrement issue = EIssueEnregistrement::Echec;
    std::string message;  // for Echec, in French
};

// What a caller may add to the save: where each file record starts (see
// CArchive::debutsFichiers), and what runs as the writing begins, once the user has
// answered (the document cannot change from then until the save returns).
struct SAjoutsEnregistrement {
    std::vector<std::uint64_t>* debutsFichiers = nullptr;
    std::function<void()> auDebut;
};

// `utilisateur` is asked whether to write over a change made by another program.
SEnregistrement enregistrerApresVerification(CDoc& doc, const std::string& chemin, CUtilisateur& utilisateur,
                                             const SAjoutsEnregistrement& ajouts = {});

// The question asked then.
std::string questionFichierModifie(const std::string& chemin);
