#pragma once
// The mounted file systems, as /proc/self/mountinfo lists them, and the mount point that
// holds a path (the "root" of a path, as a drive letter is on Windows).

#include <string>
#include <string_view>
#include <vector>

struct SPointMontage {
    std::string pointMontage; // "/media/clé usb" (escapes such as \040 decoded)
    std::string typeFs;       // "vfat", "ext4", "tmpfs", "nfs4", ...
    std::string source;       // "/dev/sdb1", "tmpfs", "serveur:/export", ...
    std::string numeroPeriph; // "8:17" (major:minor of the mounted device)
};

// Parses the text of a mountinfo file, in its order (a later mount hides an earlier
// one on the same point). Malformed lines are skipped.
std::vector<SPointMontage> analyserMountinfo(std::string_view texte);

// The mounts of this process; empty when /proc is not readable.
std::vector<SPointMontage> lirePointsMontage();

// The mount that holds `chemin` (an absolute Linux path): the longest mount point that
// is a prefix of it on whole components, the latest one when several are equal. Paths
// are compared as texts, without resolving links or "..". nullptr when none matches.
const SPointMontage* montageDe(const std::vector<SPointMontage>& montages, std::string_view chemin);

// The root of `chemin`: for a Linux path, the mount point that holds it ("/" when the
// list is empty); for a Windows path, its drive or share root ("C:\", "\\srv\share");
// empty for a relative path.
std::string racineDans(const std::vector<SPointMontage>& montages, std::string_view chemin);
