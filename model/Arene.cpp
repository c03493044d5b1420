#include "model/Arene.h"

#include <cstdlib>
#include <cstdint>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NORVANEL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define NORVANEL_ASAN 1
#endif
#ifdef NORVANEL_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace {

constexpr std::size_t kAlignement = 8;
// Blocks double from 4 KiB up to 1 MiB: a small catalogue stays small, a large one
// takes one block in a thousand files.
constexpr std::size_t kBlocMax = std::size_t(1) << 20;

std::size_t arrondi(std::size_t taille)
{
    return (taille + kAlignement - 1) & ~(kAlignement - 1);
}

void empoisonner(void* p, std::size_t taille)
{
#ifdef NORVANEL_ASAN
    ASAN_POISON_MEMORY_REGION(p, taille);
#else
    (void)p;
    (void)taille;
#endif
}

void desempoisonner(void* p, std::size_t taille)
{
#ifdef NORVANEL_ASAN
    ASAN_UNPOISON_MEMORY_REGION(p, taille);
#else
    (void)p;
    (void)taille;
#endif
}

} // namespace

CArene::~CArene()
{
    for (const SBloc& b : blocs_) {
        desempoisonner(b.debut, b.taille);
        std::free(b.debut);
    }
}

void* CArene::allouer(std::size_t taille)
{
    taille = arrondi(taille);
    if (std::size_t(fin_ - libre_) < taille) {
        const std::size_t tailleBloc = taille > prochaineTaille_ ? arrondi(taille) : prochaineTaille_;
        blocs_.reserve(blocs_.size() + 1);
        auto* bloc = static_cast<char*>(std::malloc(tailleBloc));
        if (!bloc)
            throw std::bad_alloc();
        blocs_.push_back({bloc, tailleBloc});
        libre_ = bloc;
        fin_ = bloc + tailleBloc;
        if (prochaineTaille_ < kBlocMax)
            prochaineTaille_ *= 2;
    }
    void* p = libre_;
    libre_ += taille;
    return p;
}

void CArene::rendreDernier(void* p, std::size_t taille)
{
    taille = arrondi(taille);
    if (static_cast<char*>(p) + taille == libre_) {
        desempoisonner(p, taille);
        libre_ = static_cast<char*>(p);
    }
}

void CArene::marquerMort(void* p, std::size_t taille)
{
    empoisonner(p, taille);
}

void CArene::retenir(std::shared_ptr<CArene> autre)
{
    if (autre && autre.get() != this)
        retenues_.push_back(std::move(autre));
}

std::size_t CArene::octetsReserves() const
{
    std::size_t total = 0;
    for (const SBloc& b : blocs_)
        total += b.taille;
    for (const auto& a : retenues_)
        total += a->octetsReserves();
    return total;
}
