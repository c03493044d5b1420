#pragma once
// One quick search over several indexes, on several threads: each index's folders are
// cut into parts of about the same number of files, which the threads take in turn;
// each index's answer is put back together in its order.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "search/IndexRapide.h"

using NumerosTrouves = std::vector<std::uint32_t>;

struct SPartRecherche {
    const CIndexRapide* index;
    // The former answer that `mots` refine, or none: the whole index is searched.
    const NumerosTrouves* parmi = nullptr;
};

// One answer per entry of `parts`, in the same order. `fils` threads at most, the
// caller's included: fewer when the system gives no more, the caller's alone at worst.
// Incomplete when `arret` became true. A failure on any thread (std::bad_alloc) is
// thrown here, on the caller's, once every thread is done.
std::vector<NumerosTrouves> chercherPartout(const std::vector<SPartRecherche>& parts,
                                            const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret,
                                            unsigned fils);
