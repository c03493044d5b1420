#pragma once
// Label and serial of a volume, read with libblkid from the device (or image file)
// that holds its file system, without mounting anything.

#include "platform/CPlateforme.h"

#include <optional>
#include <string>

// Probes a block device or a file-system image. nullopt when it cannot be opened, is
// neither a block device nor a regular file, or holds no file system libblkid knows.
// A file system without a label gives an empty label; one without a UUID serial 0.
std::optional<SVolume> sonderVolume(const std::string& peripherique);
