#include "platform/linux/SystemesDistants.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 13> kTypesDistants = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "ceph", "9p", "afs", "lustre", "glusterfs", "orangefs", "davfs", "coda",
};

// Enough calls in flight to hide a network's round trips, few enough not to flood
// the server.
constexpr int kFilsDistants = 16;

} // namespace

int filsPourSysteme(std::string_view typeFs, unsigned processeurs)
{
    // FUSE file systems are named "fuse" or "fuse.NAME" (fuse.sshfs, fuse.rclone, ...),
    // "fuseblk" for a disk behind a daemon (ntfs-3g).
    const bool distant = typeFs.substr(0, 4) == "fuse" ||
                         std::find(kTypesDistants.begin(), kTypesDistants.end(), typeFs) != kTypesDistants.end();
    if (distant)
        return kFilsDistants;
    return static_cast<int>(std::clamp(processeurs, 1U, static_cast<unsigned>(kFilsDistants)));
}
