#pragma once
// Replacing a whole file so that a failure at any moment (full disk, size limit, a
// write error, the program killed) leaves either the previous file or the new one,
// never a mix: the bytes go to a temporary file in the same folder, are synced, and
// the temporary is renamed over the old file; the folder is synced after the rename.
//
// The temporary is named ".<name>.XXXXXX.norvanel-tmp" (XXXXXX: six letters or digits;
// <name> cut short when the whole would pass 255 bytes). A save killed before its
// rename leaves such a file behind; the next save of the same file removes them, but
// only regular files we own, with one link, that no running save holds locked.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class CSortie;

// The system calls that decide whether a save reached the disk. Tests replace them
// to make one chosen call fail.
struct SAppelsEcriture {
    std::function<ssize_t(int fd, const void* octets, std::size_t n)> ecrire;
    std::function<int(int fd)> synchroniser;  // fsync of the file, then of its folder

    static SAppelsEcriture systeme();
};

struct SEchecEcriture {
    std::string raison;         // in French, without the file name
    bool dejaRemplace = false;  // the new content is in place, but may not survive a power cut
};

// Writes to `chemin` everything `remplir` sends to the sink it is given (it must send it
// all before returning). A symbolic link stays a link: the file it names is replaced.
// The mode, owner and group of the replaced file are kept where the system allows.
std::optional<SEchecEcriture> ecrireFichierSur(const std::string& chemin,
                                               const std::function<void(CSortie&)>& remplir,
                                               const SAppelsEcriture& appels = SAppelsEcriture::systeme());

// The temporary name a save of the file named `nomCible` uses, with its six random
// characters as XXXXXX; and whether `nom` is one of them.
std::string modeleTemporaire(const std::string& nomCible);
bool estTemporaireDe(const std::string& nom, const std::string& nomCible);

// Why a system call failed, in French ("le disque est plein").
std::string raisonSysteme(int erreur);
