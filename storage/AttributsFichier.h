#pragma once
// What a save must carry from the file it replaces to the new file, besides the
// mode: the owner and group, the extended attributes, the ACLs (which Linux keeps as
// the extended attributes system.posix_acl_access and system.posix_acl_default).

#include <sys/stat.h>

#include <string>

// Gives the new file `destination` the owner, group and extended attributes of the
// file at `source` (described by `ancien`). False when one of them could not be
// carried over (another user's file, a group we are not in, an attribute the file
// system refuses): the new file would then lose what the user set, and the save
// must rewrite the old file in place instead. The security.* attributes are the
// system's own labels: one the system does not let us set is left to it.
bool reporterAttributs(const std::string& source, const struct stat& ancien, int destination);
