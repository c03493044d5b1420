#pragma once
// File systems whose every call waits: on a server (NFS, SMB, Ceph, 9P, ...) or on a
// user-space daemon (FUSE, sshfs included). A capture there lists many folders at once.

// The threads a capture uses on the file system whose statfs f_type is `typeSysteme`,
// on a machine with `processeurs` processors (0 when unknown).
int filsPourSysteme(long typeSysteme, unsigned processeurs);
