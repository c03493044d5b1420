#pragma once
// Where an archive being written sends its bytes: a file, or memory in the tests.
// The first failure sticks: once a write has failed, every later one fails too.

#include <cstddef>
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

protected:
    virtual bool ecrireTout(const char* octets, std::size_t n) = 0;

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
