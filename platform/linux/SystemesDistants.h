#pragma once
// File systems whose every call waits: on a server (NFS, SMB, Ceph, 9P, ...) or on a
// user-space daemon (FUSE, sshfs included). A capture there lists many folders at once.

#include <string_view>

// The threads a capture uses on a file system of type `typeFs`, as the mount list
// names it ("ext4", "nfs4", "fuse.sshfs", ...), on a machine with `processeurs`
// processors (0 when unknown).
int filsPourSysteme(std::string_view typeFs, unsigned processeurs);
