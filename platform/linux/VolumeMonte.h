#pragma once
// The label and serial of a mounted volume, read the way a desktop program reads them
// as an ordinary user: udev's view of its device first, then the device itself.

#include "platform/CPlateforme.h"
#include "platform/linux/PointsMontage.h"
#include "platform/linux/VueUdev.h"

#include <optional>
#include <string>
#include <vector>

// The identity of the volume mounted at `racine`, found among `montages`:
// - udev's view of its block device (database or /dev/disk links, under `udev`);
// - else the probe of the device with libblkid, when this user may read it;
// - else, for a mount of a device or an image file, an empty label; for a mount
//   without one (network share, tmpfs, overlay), the mount's source name.
// In these last two cases the serial comes from the file-system id.
// nullopt only when `racine` itself cannot be examined.
std::optional<SVolume> infoVolumeDans(const std::vector<SPointMontage>& montages, const std::string& racine,
                                      const SRacinesUdev& udev);
