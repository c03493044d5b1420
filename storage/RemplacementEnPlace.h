#pragma once
// Rewriting a file in place, for the saves a rename would spoil: a file with other
// names (hard links), or one whose owner, group or extended attributes the new file
// could not take. The old content is first copied to a backup beside it, synced and
// given its lasting name; the new content, already complete and synced in the save's
// temporary file, is then written over the file, emptied first so that a kill leaves
// a short file that fails to load rather than one that loads with the end of the old
// content; if that fails, the backup is copied back. The backup goes only once the file
// holds one whole content again, so the old content is never lost, even to a kill, and
// the next open names a backup left behind. The backup and the temporary are readable
// by the one who saves alone (mode 0600), from their creation.

#include <sys/stat.h>

#include <optional>
#include <string>

#include "storage/Descripteur.h"
#include "storage/EcritureSure.h"

struct SFichiersEnPlace {
    int nouveau = -1;             // the new content, complete and synced
    int copie = -1;               // an empty temporary, open for writing, locked
    std::string cheminCopie;      // its name, that the cleaning of leftovers knows
    std::string cheminSauvegarde; // the name it takes once it holds the whole old content
    int dossier = -1;             // the folder, or -1
    SDescripteur* ecrit = nullptr; // when given, receives the file rewritten, open for reading
};

// Overwrites the file `cible` (described by `ancien`) with the content of
// `fichiers.nouveau`. The backup is removed unless it still holds the only whole copy
// of the old content: then SEchecEcriture::sauvegarde names it.
[[nodiscard]] std::optional<SEchecEcriture> remplacerEnPlace(const std::string& cible, const struct stat& ancien,
                                               const SFichiersEnPlace& fichiers, const SAppelsEcriture& appels);
