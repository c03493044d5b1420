#pragma once
// The bytes a catalogue holds after its last binder (what a newer program may add
// there), written back unchanged after it at every save. A few are kept in memory;
// more are left in the file they were read from, held open, and each save copies them
// file to file, holes left as holes (CopieCreuse.h): a sparse catalogue of 3 GB costs
// neither memory to open nor disk to save.
//
// Left in the file, they are checked before a save: if another program changed that
// file since (its size or modification time), the save fails rather than write back
// other bytes than those read.

#include <cstdint>
#include <memory>
#include <string>

class CSortie;

class CSuiteInconnue {
public:
    // Up to this many bytes are kept in memory.
    static constexpr std::uint64_t kEnMemoire = 1 << 20;

    bool vide() const { return taille() == 0; }
    std::uint64_t taille() const { return fichier_ ? taille_ : octets_.size(); }
    void vider();
    void garder(std::string octets);
    // The `taille` bytes of the open file `fd` from `debut`: the file is opened again
    // for our own use (`fd` stays the caller's). False when it cannot be.
    bool garderDansFichier(int fd, std::uint64_t debut, std::uint64_t taille);
    // Sends them to `sortie` (after what it already holds): false when that failed,
    // `probleme` then says why when the output did not.
    bool envoyer(CSortie& sortie, std::string& probleme) const;
    // After a save to the file open as `fd`, whose bytes end with these: they are now
    // read from there.
    void apresEnregistrement(int fd);
    // After a failed save that rewrote the file at `chemin` in place and put its
    // previous content back: if they are in that file, it still holds them.
    void apresRetablissement(const std::string& chemin);
    // The bytes in memory (empty when they are left in the file).
    const std::string& enMemoire() const { return octets_; }
    bool dansFichier() const { return fichier_ != nullptr; }

private:
    struct SFichier;
    std::string octets_;
    std::shared_ptr<SFichier> fichier_;
    std::uint64_t debut_ = 0, taille_ = 0;
};
