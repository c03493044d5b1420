#pragma once
// Where an archive being written sends its bytes: a file, or memory in the tests.
// The first failure sticks: once a write has failed, every later one fails too.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>

class CSortie {
public:
    virtual ~CSortie() = default;
    // Writes all `n` bytes, or fails; false once anything has failed.
    bool ecrire(const char* octets, std::size_t n)
    {
        if (!echec_ && !ecrireTout(octets, n))
            echec_ = true;
        return !echec_;
    }
    bool enEchec() const { return echec_; }
    // Writes the `n` bytes of the file `fd` from `debut`: 0, or the errno of the failure.
    int copier(int fd, std::uint64_t debut, std::uint64_t n)
    {
        if (echec_)
            return EIO;
        const int erreur = copierTout(fd, debut, n);
        echec_ = erreur != 0;
        return erreur;
    }

protected:
    virtual bool ecrireTout(const char* octets, std::size_t n) = 0;
    // By default read in blocks and written through ecrireTout(); a file copies file to
    // file.
    virtual int copierTout(int fd, std::uint64_t debut, std::uint64_t n);

private:
    bool echec_ = false;
};

class CSortieMemoire : public CSortie {
public:
    std::string octets;

protected:
    bool ecrireTout(const char* o, std::size_t n) override
    {
        octets.append(o, n);
        return true;
    }
};
