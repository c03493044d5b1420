#pragma once
// One program at a time changes a catalogue. The command-line tool holds this lock
// from the moment it reads a catalogue it will change until its save is done; the
// window program holds it while it saves. Readers take no lock.
//
// It is an flock() on the catalogue file itself, so it needs no file of its own and
// works wherever the catalogue can be read. A save renames a new file over the old
// one: a program that waited on the old file finds, once it holds the lock, that
// the name now leads to another file, and locks that one in turn. On a file system
// that keeps no locks, the catalogue is only opened.

#include <chrono>
#include <optional>
#include <string>

class CVerrouCatalogue {
public:
    CVerrouCatalogue() = default;
    ~CVerrouCatalogue();
    CVerrouCatalogue(const CVerrouCatalogue&) = delete;
    CVerrouCatalogue& operator=(const CVerrouCatalogue&) = delete;

    // Locks the file `chemin` leads to, waiting at most `attente` for the program
    // that holds it. nullopt once locked; otherwise why not, in French (`absent`
    // tells a missing file apart).
    [[nodiscard]] std::optional<std::string> prendre(const std::string& chemin,
                                       std::chrono::milliseconds attente = kAttenteParDefaut);
    void rendre();
    bool tenu() const { return fd_ >= 0; }
    bool absent() const { return absent_; }
    // The locked file, open for reading at its start.
    int descripteur() const { return fd_; }

    static constexpr std::chrono::milliseconds kAttenteParDefaut{5000};

private:
    int fd_ = -1;
    bool absent_ = false;
};
