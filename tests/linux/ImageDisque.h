#pragma once
// File-system images made by the mkfs tools, and mounted in a test's child process
// the way a desktop mounts a disk: a kernel file system through a loop device, NTFS
// with ntfs-3g.

#include <string>
#include <sys/types.h>
#include <vector>

// Runs `outil` with `arguments`, where "IMAGE" stands for `image`, on a file of
// `taille` bytes (0: the tool makes it). `image`, or empty when the tool is missing or
// failed.
std::string formaterImage(const std::string& image, const std::string& outil, std::vector<std::string> arguments,
                          off_t taille);

// In a child, after espaceMontagePrive(): mounts `image` at `point` with the file
// system `type` ("ext4", "vfat", "exfat", or "ntfs-3g" for the FUSE driver); the
// scenario is not permitted when that fails. A loop device goes with the mount; an
// ntfs-3g process must be unmounted with demonter() before the child ends.
void monterImage(const std::string& type, const std::string& image, const std::string& point);
void demonter(const std::string& point);
