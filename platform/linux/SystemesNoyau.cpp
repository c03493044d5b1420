#include "platform/linux/SystemesNoyau.h"

#include <algorithm>
#include <array>
#include <linux/magic.h>

namespace {

// Not all of them are in <linux/magic.h>.
constexpr unsigned long kConfigfs = 0x62656570;
constexpr unsigned long kFusectl = 0x65735543;
constexpr unsigned long kMqueue = 0x19800202;

constexpr std::array<unsigned long, 20> kTypesNoyau = {
    PROC_SUPER_MAGIC,  SYSFS_MAGIC,        CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, DEVPTS_SUPER_MAGIC,
    DEBUGFS_MAGIC,     TRACEFS_MAGIC,      SECURITYFS_MAGIC,   PSTOREFS_MAGIC,      BPF_FS_MAGIC,
    kConfigfs,         kFusectl,           kMqueue,            HUGETLBFS_MAGIC,     BINFMTFS_MAGIC,
    SELINUX_MAGIC,     SMACK_MAGIC,        EFIVARFS_MAGIC,     NSFS_MAGIC,          RDTGROUP_SUPER_MAGIC,
};

} // namespace

bool estSystemeNoyau(long typeSysteme)
{
    // f_type is a signed long filled from a 32-bit magic: compare the low 32 bits.
    const unsigned long type = static_cast<unsigned long>(typeSysteme) & 0xFFFFFFFFUL;
    return std::find(kTypesNoyau.begin(), kTypesNoyau.end(), type) != kTypesNoyau.end();
}
