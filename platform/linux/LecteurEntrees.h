#pragma once
// The raw entries of an open folder, read with getdents64 into a buffer lent by the
// reading thread: no allocation per folder, whereas a DIR stream allocates and frees
// 32 KiB for each one. The buffer goes back to the thread as soon as the folder has
// been read to its end, so that folders held open once read cost no memory.

#include <cstddef>
#include <dirent.h>

class CLecteurEntrees {
public:
    // Reads the folder open on `fd`, which stays the caller's.
    explicit CLecteurEntrees(int fd) : fd_(fd) {}
    ~CLecteurEntrees() { rendre(); }

    CLecteurEntrees(const CLecteurEntrees&) = delete;
    CLecteurEntrees& operator=(const CLecteurEntrees&) = delete;

    // The next entry, or nullptr at the end or on a read error, as readdir does.
    const struct dirent64* suivante();
    // Once suivante() gave nullptr: 0 at the end, else the errno value of the read error.
    int erreur() const { return erreur_; }

private:
    void rendre();

    int fd_;
    char* tampon_ = nullptr;
    std::size_t lus_ = 0, position_ = 0;
    bool fini_ = false;
    int erreur_ = 0;
};
