#include "platform/linux/LecteurEntrees.h"

#include <cerrno>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t kTailleTampon = 32 * 1024;
// Buffers a thread keeps for its next folders: as many as it reads at once in most
// walks (one per level being read on the walk's own thread).
constexpr std::size_t kTamponsGardes = 16;

struct SReserveTampons {
    std::vector<std::unique_ptr<char[]>> libres;

    char* prendre()
    {
        if (libres.empty())
            return new char[kTailleTampon];
        char* t = libres.back().release();
        libres.pop_back();
        return t;
    }

    void rendre(char* t)
    {
        if (libres.size() < kTamponsGardes)
            libres.emplace_back(t);
        else
            delete[] t;
    }
};

thread_local SReserveTampons reserve;

} // namespace

const struct dirent64* CLecteurEntrees::suivante()
{
    if (position_ >= lus_) {
        if (fini_)
            return nullptr;
        if (tampon_ == nullptr)
            tampon_ = reserve.prendre();
        const ssize_t n = getdents64(fd_, tampon_, kTailleTampon);
        if (n <= 0) {
            erreur_ = n < 0 ? errno : 0;
            fini_ = true;
            rendre();
            return nullptr;
        }
        lus_ = static_cast<std::size_t>(n);
        position_ = 0;
    }
    const auto* e = reinterpret_cast<const struct dirent64*>(tampon_ + position_);
    // An entry that would not fit what was read, or would not move on, ends the folder
    // rather than looping or reading past the buffer: the system gave what no folder holds.
    if (e->d_reclen == 0 || e->d_reclen > lus_ - position_) {
        erreur_ = EIO;
        fini_ = true;
        rendre();
        return nullptr;
    }
    position_ += e->d_reclen;
    return e;
}

void CLecteurEntrees::rendre()
{
    if (tampon_ != nullptr)
        reserve.rendre(tampon_);
    tampon_ = nullptr;
    lus_ = position_ = 0;
}
