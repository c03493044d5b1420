#pragma once
// Opening a file that must be a regular file (a catalogue, the settings) for reading.
// A pipe, a device or a socket at that path is refused at once: a pipe would wait
// forever for a writer, and a device must not be opened at all.

#include <optional>
#include <string>

// The descriptor (close-on-exec, blocking as usual), or the reason in French.
struct [[nodiscard]] SOuvertureLecture {
    int fd = -1;
    std::optional<std::string> probleme;
    bool absent = false;  // the file does not exist
};

SOuvertureLecture ouvrirFichierOrdinaire(const std::string& chemin);
