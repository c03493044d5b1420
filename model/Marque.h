#pragma once
// A file's found mark, or its comparison status. A search or a comparison runs on a
// thread of its own and writes the marks there while the windows may read them to paint
// or sort: every access is atomic (relaxed: a plain load or store on our machines), so a
// window sees either the old mark or the new one, never a torn value.

#include <atomic>
#include <cstdint>

class CMarque {
public:
    CMarque(std::int32_t valeur = 0) : valeur_(valeur) {}
    CMarque(const CMarque& autre) : valeur_(std::int32_t(autre)) {}
    CMarque& operator=(const CMarque& autre) { return *this = std::int32_t(autre); }
    CMarque& operator=(std::int32_t valeur)
    {
        valeur_.store(valeur, std::memory_order_relaxed);
        return *this;
    }
    operator std::int32_t() const { return valeur_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::int32_t> valeur_;
};

static_assert(sizeof(CMarque) == sizeof(std::int32_t));
