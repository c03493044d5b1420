#pragma once
// Who holds the lock on a file, for the message of a program that gave up waiting:
// the kernel lists every lock in /proc/locks with the holder's process id; its name
// and its user come from /proc/PID. Unknown when the process is hidden from us
// (another PID namespace, /proc mounted with hidepid) or took an open-file lock.

#include <optional>
#include <string>

#include <sys/types.h>

// Of the file `peripherique`:`inode`: "« norvanel-cli », processus 1234 de l'utilisateur
// alice", or nullopt.
std::optional<std::string> detenteurVerrou(dev_t peripherique, ino_t inode);

// The process id holding a lock on device `majeur:mineur`, inode `inode`, in `locks`
// (the text of /proc/locks); 0 when none is named.
int pidDetenteur(const std::string& locks, unsigned majeur, unsigned mineur, unsigned long long inode);
