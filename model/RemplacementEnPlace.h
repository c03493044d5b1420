#pragma once
// Rewriting a file in place, for the saves a rename would spoil: a file with other
// names (hard links), or one whose owner, group or extended attributes the new file
// could not take. The old content is first copied to a backup beside it; the new
// content, already complete and synced in the save's temporary file, is then written
// over the file; if that fails, the backup is copied back. The backup goes only once
// the file holds one whole content again, so the old content is never lost.

#include <sys/stat.h>

#include <optional>
#include <string>

#include "model/EcritureSure.h"

// Overwrites the file `cible` (described by `ancien`) with the content of the open
// file `nouveau`. `sauvegarde` is an empty file open for writing at `cheminSauvegarde`;
// `dossier` an open descriptor of the folder, or -1. Both temporary files are left to
// the caller to remove, except a backup that still holds the only whole copy of the
// old content: then SEchecEcriture::sauvegarde names it.
std::optional<SEchecEcriture> remplacerEnPlace(const std::string& cible, const struct stat& ancien, int nouveau,
                                               int sauvegarde, const std::string& cheminSauvegarde, int dossier,
                                               const SAppelsEcriture& appels);
