#pragma once
// Where a snapshot's file entries live: blocks taken from the heap a few at a time and
// handed out in order, so that an entry costs neither an allocation of its own nor the
// allocator's header, and never moves while it lives. Nothing is given back before the
// arena goes, except the last allocation (a capture's entry that a criterion refused).
//
// An arena is used by one thread at a time: the capture gives each listing thread its
// own, which the snapshot's arena then keeps (retenir).

#include <cstddef>
#include <memory>
#include <vector>

class CArene {
public:
    CArene() = default;
    CArene(const CArene&) = delete;
    CArene& operator=(const CArene&) = delete;
    ~CArene();

    // `taille` bytes aligned on 8; throws std::bad_alloc.
    void* allouer(std::size_t taille);
    // Gives back `p`, which must be the last allocation, of `taille` bytes.
    void rendreDernier(void* p, std::size_t taille);
    // Marks `taille` bytes at `p` as dead: the address sanitizer then reports any use of
    // an entry that was destroyed. The memory itself goes with the arena.
    static void marquerMort(void* p, std::size_t taille);

    // Keeps `autre` alive as long as this arena (the entries it holds belong here now).
    void retenir(std::shared_ptr<CArene> autre);

    // Bytes taken from the heap, arenas kept included.
    std::size_t octetsReserves() const;

private:
    struct SBloc {
        char* debut;
        std::size_t taille;
    };
    std::vector<SBloc> blocs_;
    std::vector<std::shared_ptr<CArene>> retenues_;
    char* libre_ = nullptr;
    char* fin_ = nullptr;
    std::size_t prochaineTaille_ = 4096;
};
