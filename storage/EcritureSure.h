#pragma once
// Replacing a whole file so that a failure at any moment (full disk, size limit, a
// write error, the program killed) leaves either the previous file or the new one,
// never a mix: the bytes go to a temporary file in the same folder, are synced, and
// the temporary is renamed over the old file; the folder is synced after the rename.
//
// The temporary is named ".<name>.XXXXXX.norvanel-tmp" (XXXXXX: six letters or digits;
// <name> cut short when the whole would pass 255 bytes). A save killed before its
// rename leaves such a file behind; the next save of the same file removes them, but
// only regular files we own, with one link, that no running save holds locked. A save
// locks its temporary before it writes, and makes a new one if a cleaning took it
// first.
//
// A save keeps what the user set on the file: its mode, owner and group, extended
// attributes and ACLs, and its other names (hard links). When the new file cannot
// take all of them (another user's file, a file with several names), the old file is
// rewritten in place instead, from a backup ".<name>.XXXXXX.norvanel-sav" that the
// cleaning never touches (see RemplacementEnPlace.h). A file the user may not write,
// or one with no write permission at all, is refused as a read-only folder is.
//
// A temporary that replaces a file is made with mode 0600, and takes the old file's
// owner and mode before a byte is written. The path written to is resolved without
// following a link another user planted in a shared sticky folder (ResolutionLiens.h).

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/AppelsEcriture.h"
#include "platform/RaisonSysteme.h"

class CSortie;
struct SDescripteur;

struct SEchecEcriture {
    std::string raison;           // in French, without the file name
    bool dejaRemplace = false;    // the new content is in place, but may not survive a power cut
    bool precedentIntact = false; // there was a file, and it is as it was
    std::string sauvegarde = {};  // the file is damaged: its previous content is in this file
};

// "<debut> : <raison>." followed by what became of the previous file, for the user.
std::string texteEchecEcriture(const std::string& debut, const SEchecEcriture& echec);

// Writes to `chemin` everything `remplir` sends to the sink it is given (it must send it
// all before returning). A symbolic link stays a link: the file it names is replaced.
// The mode, owner, group, extended attributes, ACLs and hard links of the replaced
// file are kept. When it worked and `ecrit` is given, it receives the file written,
// open for reading.
[[nodiscard]] std::optional<SEchecEcriture> ecrireFichierSur(const std::string& chemin,
                                               const std::function<void(CSortie&)>& remplir,
                                               const SAppelsEcriture& appels = SAppelsEcriture::systeme(),
                                               SDescripteur* ecrit = nullptr);

// The same for a file that must not exist yet: whatever is at `chemin` (a file, a
// link), even one another program puts there during the write, is left as it is, and
// the reason is EEXIST's.
[[nodiscard]] std::optional<SEchecEcriture> creerFichierSur(const std::string& chemin, const std::function<void(CSortie&)>& remplir,
                                                            SDescripteur* ecrit = nullptr);

// The temporary name a save of the file named `nomCible` uses, with its six random
// characters as XXXXXX; and whether `nom` is one of them.
std::string modeleTemporaire(const std::string& nomCible);
bool estTemporaireDe(const std::string& nom, const std::string& nomCible);
// The backups beside the file `chemin` that saves rewriting it in place could not
// remove (killed, or unable to put the old content back): full paths, sorted.
std::vector<std::string> sauvegardesDe(const std::string& chemin);

// Gives the file `de` the name `vers`, unless something already has it: 0, or the
// errno of the failure (EEXIST then).
int nommerSansRemplacer(const std::string& de, const std::string& vers);

// Writes all `n` bytes to `fd` through `appels`, going on after a short write or an
// interruption: 0, or the errno of the failure (ENOSPC for a write that takes nothing).
int ecrireEntierement(const SAppelsEcriture& appels, int fd, const char* octets, std::size_t n);
