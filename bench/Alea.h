#pragma once
// A small seeded generator (splitmix64) whose sequence is the same with every compiler
// and standard library, so that a seed always names the same data.

#include <cstddef>
#include <cstdint>

class CAlea {
public:
    explicit CAlea(std::uint64_t graine) : etat_(graine) {}

    std::uint64_t suivant()
    {
        std::uint64_t z = (etat_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1 (n > 0); the slight bias of a modulo does not matter here.
    std::uint64_t jusqua(std::uint64_t n) { return suivant() % n; }
    // True with probability `pourcent` / 100.
    bool chance(unsigned pourcent) { return jusqua(100) < pourcent; }
    template <typename T, std::size_t N>
    const T& parmi(const T (&valeurs)[N]) { return valeurs[jusqua(N)]; }

private:
    std::uint64_t etat_;
};
