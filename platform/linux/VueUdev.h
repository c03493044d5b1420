#pragma once
// udev's view of a block device's file system: the label and UUID it read when the
// device appeared, kept where every user may read them. Desktop programs take them
// from there because the device itself belongs to root and the "disk" group.

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

// Where udev's view is read; tests give folders of their own.
struct SRacinesUdev {
    // udev's database: one file per device, "b<major>:<minor>", with lines such as
    // "E:ID_FS_LABEL_ENC=Cl\x20USB" and "E:ID_FS_UUID=ABCD-1234".
    std::string donnees = "/run/udev/data";
    // The links udev makes for file systems: by-label/<label>, by-uuid/<uuid>, each
    // pointing at the device node.
    std::string liens = "/dev/disk";
};

// A file system as udev describes it. An empty label: the file system has none.
struct SSystemeUdev {
    std::string etiquette;
    std::string uuid;
};

// The file-system properties of the text of a database file; nullopt when it names
// no file system (no ID_FS_TYPE, ID_FS_UUID or ID_FS_LABEL_ENC line).
std::optional<SSystemeUdev> analyserDonneesUdev(std::string_view texte);

// udev's view of the block device `peripherique`: its database file, else the
// by-label and by-uuid links that point at it; nullopt when neither knows it.
std::optional<SSystemeUdev> systemeSelonUdev(const SRacinesUdev& racines, dev_t peripherique);

// udev's escapes decoded: "\xNN" is the byte NN; a backslash not followed by two hex
// digits stays as it is. The text stops at a decoded NUL.
std::string decoderEchappementsUdev(std::string_view texte);
