#pragma once
// Loading and saving catalogue files. Failures come back as a French message that
// names the file and what is wrong; nothing is ever left half done: a damaged file
// leaves the document as it was, a failed save leaves the previous file untouched.

#include <optional>
#include <string>
#include <string_view>

#include "platform/AppelsEcriture.h"

class CDoc;

// Reads the catalogue at `chemin` into `doc` (its binders are replaced, its path
// set, its modified flag cleared, its views told). nullopt on success.
// A pipe, a device or a folder at `chemin` is refused without waiting. The identity
// of the file read is kept in the document (CDoc::identiteFichier).
// A catalogue that loads but has a backup beside it, left by a save stopped while it
// rewrote the file in place (see RemplacementEnPlace.h), is loaded, and the user is
// told where the backup is (CUtilisateur::message, texteSauvegardeLaissee).
// Its reads go through `appels.lire`.
[[nodiscard]] std::optional<std::string> chargerCatalogue(CDoc& doc, const std::string& chemin,
                                                          const SAppelsEcriture& appels = SAppelsEcriture::systeme());
std::string texteSauvegardeLaissee(const std::string& chemin, const std::string& sauvegarde);
// The same from `fd`, the file `chemin` leads to, already open (and locked: see
// VerrouCatalogue.h).
[[nodiscard]] std::optional<std::string> chargerCatalogue(CDoc& doc, const std::string& chemin, int fd);

// Writes `doc` to `chemin` through a temporary file in the same folder, synced and
// renamed over the old file (whose permissions are kept; a symbolic link stays a link
// to the file it names); see EcritureSure.h. nullopt on success; `doc` is then no
// longer modified. On failure it stays modified.
[[nodiscard]] std::optional<std::string> enregistrerCatalogue(CDoc& doc, const std::string& chemin);
// The same through the given system calls: tests make one of them fail.
[[nodiscard]] std::optional<std::string> enregistrerCatalogue(CDoc& doc, const std::string& chemin, const SAppelsEcriture& appels);

// The same for a new catalogue: a file already at `chemin`, or one another program puts
// there meanwhile, is left as it is and the save fails.
[[nodiscard]] std::optional<std::string> creerCatalogue(CDoc& doc, const std::string& chemin);

// The same, in memory: the problem found (without a file name), or nullopt.
[[nodiscard]] std::optional<std::string> lireCatalogue(CDoc& doc, std::string_view octets);
std::string ecrireCatalogue(CDoc& doc);
