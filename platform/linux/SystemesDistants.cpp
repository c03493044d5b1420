#include "platform/linux/SystemesDistants.h"

#include <algorithm>
#include <array>
#include <linux/magic.h>

namespace {

// Not all of them are in <linux/magic.h>.
constexpr unsigned long kCifs = 0xFF534D42;
constexpr unsigned long kSmb2 = 0xFE534D42;
constexpr unsigned long kFuse = 0x65735546;
constexpr unsigned long kCeph = 0x00C36400;
constexpr unsigned long kLustre = 0x0BD00BD0;
constexpr unsigned long kOrangefs = 0x20030528;

constexpr std::array<unsigned long, 11> kTypesDistants = {
    NFS_SUPER_MAGIC, SMB_SUPER_MAGIC, kCifs, kSmb2, kFuse, kCeph, V9FS_MAGIC,
    AFS_FS_MAGIC,    AFS_SUPER_MAGIC, kLustre, kOrangefs,
};

// Enough calls in flight to hide a network's round trips, few enough not to flood
// the server.
constexpr int kFilsDistants = 16;

} // namespace

int filsPourSysteme(long typeSysteme, unsigned processeurs)
{
    // f_type is a signed long filled from a 32-bit magic: compare the low 32 bits.
    const unsigned long type = static_cast<unsigned long>(typeSysteme) & 0xFFFFFFFFUL;
    if (std::find(kTypesDistants.begin(), kTypesDistants.end(), type) != kTypesDistants.end())
        return kFilsDistants;
    return static_cast<int>(std::clamp(processeurs, 1U, static_cast<unsigned>(kFilsDistants)));
}
