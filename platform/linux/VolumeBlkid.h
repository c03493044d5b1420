#pragma once
// Label and serial of a volume, read with libblkid from the device (or image file)
// that holds its file system, without mounting anything.

#include "platform/CPlateforme.h"
#include "platform/linux/PointsMontage.h"

#include <optional>
#include <string>

// Probes a block device or a file-system image. nullopt when it cannot be opened, is
// neither a block device nor a regular file, or holds no file system libblkid knows.
// A file system without a label gives an empty label; one without a UUID serial 0.
std::optional<SVolume> sonderVolume(const std::string& peripherique);

// The identity of the volume mounted at `racine`, found among `montages`: the probe of
// its device when that can be read; otherwise (no permission, tmpfs, overlay, network
// share) the mount's source name as label and a serial from the file-system id.
// nullopt only when `racine` itself cannot be examined.
std::optional<SVolume> infoVolumeDans(const std::vector<SPointMontage>& montages, const std::string& racine);
