#pragma once
// Loading and saving catalogue files. Failures come back as a French message that
// names the file and what is wrong; nothing is ever left half done: a damaged file
// leaves the document as it was, a failed save leaves the previous file untouched.

#include <cstdint>
#include <string>
#include <vector>
#include <string_view>

#include "platform/AppelsEcriture.h"
#include "platform/Resultat.h"

class CDoc;

// Reads the catalogue at `chemin` into `doc` (its binders are replaced, its path
// set, its modified flag cleared, its views told); or the French reason it failed.
// A pipe, a device or a folder at `chemin` is refused without waiting. The identity
// of the file read is kept in the document (CDoc::identiteFichier).
// A catalogue that loads but has a backup beside it, left by a save stopped while it
// rewrote the file in place (see RemplacementEnPlace.h), is loaded; whoever opened it
// tells the user where the backup is (avertissementsChargement).
// Its reads go through `appels.lire`.
CResultat<> chargerCatalogue(CDoc& doc, const std::string& chemin,
                                                          const SAppelsEcriture& appels = SAppelsEcriture::systeme());
std::string texteSauvegardeLaissee(const std::string& chemin, const std::string& sauvegarde);
// What the user must hear once `chemin` is loaded: one text a backup left beside it.
std::vector<std::string> avertissementsChargement(const std::string& chemin);
// The same from `fd`, the file `chemin` leads to, already open (and locked: see
// VerrouCatalogue.h), read from its current offset; `debutsFichiers`, when given,
// receives where each file record starts (CArchive::debutsFichiers).
CResultat<> chargerCatalogue(CDoc& doc, const std::string& chemin, int fd,
                             std::vector<std::uint64_t>* debutsFichiers = nullptr);

// Writes `doc` to `chemin` through a temporary file in the same folder, synced and
// renamed over the old file (whose permissions are kept; a symbolic link stays a link
// to the file it names); see EcritureSure.h. Fails with the French reason; `doc` is then no
// longer modified. On failure it stays modified.
CResultat<> enregistrerCatalogue(CDoc& doc, const std::string& chemin);
// The same through the given system calls: tests make one of them fail. `debutsFichiers`,
// when given, receives where each file record starts (CArchive::debutsFichiers).
CResultat<> enregistrerCatalogue(CDoc& doc, const std::string& chemin, const SAppelsEcriture& appels,
                                 std::vector<std::uint64_t>* debutsFichiers = nullptr);

// The same for a new catalogue: a file already at `chemin`, or one another program puts
// there meanwhile, is left as it is and the save fails.
CResultat<> creerCatalogue(CDoc& doc, const std::string& chemin);

// The same, in memory: fails with the problem found (without a file name).
// `debutsFichiers`: when given, where each file record starts (CArchive::debutsFichiers).
CResultat<> lireCatalogue(CDoc& doc, std::string_view octets, std::vector<std::uint64_t>* debutsFichiers = nullptr);
std::string ecrireCatalogue(CDoc& doc, std::vector<std::uint64_t>* debutsFichiers = nullptr);
