#include "model/OrdreTextes.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

// A radix sort, most significant byte first. Each text is read 32 bytes at a time into
// four numbers held next to its index and length, and the rows are dealt into buckets
// on the first byte where they differ, then each bucket on its own next byte. A
// comparison sort of a million names reaches each text through a pointer some twenty
// times, mostly cache misses; here a text is read once, and again only for each 32
// bytes its bucket shares with others. Small buckets go to a comparison sort of the
// numbers alone. The work waits on a list rather than the call stack, so a heap of long
// shared prefixes cannot exhaust it.

namespace {

constexpr std::size_t kMots = 4;
constexpr std::size_t kLargeur = 8 * kMots;   // bytes of text held in a key
constexpr std::size_t kPetitSeau = 32;        // below this, a comparison sort is quicker
constexpr std::size_t kGrandSeau = 1 << 13;   // from this, deal on two bytes at once

struct SCle {
    std::uint64_t octets[kMots];  // bytes [decalage, decalage + kLargeur) of the text, big-endian, zero-padded
    std::uint32_t rang;
    std::uint32_t longueur;   // of the text, saturated
};

struct STache {
    std::size_t debut, n;
    std::size_t decalage;  // where the keys' bytes start in the texts
    bool dansTampon;       // the rows are in the spare array
};

void charger(SCle& cle, std::string_view texte, std::size_t decalage)
{
    unsigned char octets[kLargeur] = {};
    if (decalage < texte.size())
        std::memcpy(octets, texte.data() + decalage, std::min(kLargeur, texte.size() - decalage));
    for (std::size_t m = 0; m < kMots; ++m) {
        std::uint64_t mot;
        std::memcpy(&mot, octets + 8 * m, 8);
        cle.octets[m] = std::endian::native == std::endian::little ? __builtin_bswap64(mot) : mot;
    }
}

class CTri {
public:
    CTri(const std::vector<std::string_view>& textes, bool croissant)
        : textes_(textes), croissant_(croissant), n_(textes.size()),
          cles_(new SCle[textes.size()]), tampon_(new SCle[textes.size()])  // left uninitialised: written before read
    {
        constexpr std::size_t kMax = std::numeric_limits<std::uint32_t>::max();
        for (std::size_t i = 0; i < textes.size(); ++i) {
            cles_[i].rang = static_cast<std::uint32_t>(i);
            cles_[i].longueur = static_cast<std::uint32_t>(std::min(textes[i].size(), kMax));
            charger(cles_[i], textes[i], 0);
        }
    }

    std::vector<int> ordre()
    {
        pile_.push_back({0, n_, 0, false});
        while (!pile_.empty()) {
            const STache t = pile_.back();
            pile_.pop_back();
            traiter(t);
        }
        std::vector<int> ordre;
        ordre.reserve(n_);
        for (std::size_t i = 0; i < n_; ++i)
            ordre.push_back(static_cast<int>(cles_[i].rang));
        return ordre;
    }

private:
    // Each deal goes from one array to the other; a bucket is copied back when finished.
    void traiter(const STache& t)
    {
        SCle* rangs = (t.dansTampon ? tampon_.get() : cles_.get()) + t.debut;
        SCle* autres = (t.dansTampon ? cles_.get() : tampon_.get()) + t.debut;
        const unsigned octet = t.n < kPetitSeau ? kLargeur : premierOctetDifferent(rangs, t.n);
        if (octet == kLargeur) {
            finir(rangs, t);
            if (t.dansTampon)
                std::copy(rangs, rangs + t.n, autres);
            departagerLesSuites(t.debut, t.n, t.decalage);
            return;
        }
        // Large buckets are dealt on two bytes at once: fewer passes over the rows, for
        // a count array that only pays for itself there.
        const bool deuxOctets = t.n >= kGrandSeau && octet % 8 != 7;
        const unsigned largeur = deuxOctets ? 16u : 8u, mot = octet / 8;
        const unsigned decale = 64 - largeur - 8 * (octet % 8), masque = (1u << largeur) - 1;
        const unsigned inverse = croissant_ ? 0u : masque;
        const auto seau = [&](const SCle& c) {
            return (static_cast<unsigned>(c.octets[mot] >> decale) & masque) ^ inverse;
        };
        const std::size_t nSeaux = std::size_t{1} << largeur;
        debuts_.assign(nSeaux + 1, 0);
        for (std::size_t i = 0; i < t.n; ++i)
            ++debuts_[seau(rangs[i]) + 1];
        for (std::size_t s = 1; s <= nSeaux; ++s)
            debuts_[s] += debuts_[s - 1];
        places_.assign(debuts_.begin(), debuts_.end() - 1);
        for (std::size_t i = 0; i < t.n; ++i)
            autres[places_[seau(rangs[i])]++] = rangs[i];
        for (std::size_t s = 0; s < nSeaux; ++s)
            if (debuts_[s + 1] > debuts_[s])
                pile_.push_back({t.debut + debuts_[s], debuts_[s + 1] - debuts_[s], t.decalage, !t.dansTampon});
    }

    // The first byte of the key where two rows differ, or kLargeur when they all agree.
    static unsigned premierOctetDifferent(const SCle* rangs, std::size_t n)
    {
        std::uint64_t difference[kMots] = {};
        for (std::size_t i = 1; i < n; ++i)
            for (std::size_t m = 0; m < kMots; ++m)
                difference[m] |= rangs[i].octets[m] ^ rangs[0].octets[m];
        for (std::size_t m = 0; m < kMots; ++m)
            if (difference[m])
                return static_cast<unsigned>(8 * m) + static_cast<unsigned>(__builtin_clzll(difference[m])) / 8;
        return kLargeur;
    }

    // Sorts the rows on their keys. Where two keys are equal, a text that ends within
    // them comes before a longer one (whose bytes past its end are zeros there), so the
    // length decides; texts that both go on past the key stay together, to be told
    // apart on their next bytes.
    void finir(SCle* rangs, const STache& t) const
    {
        const std::size_t finCle = t.decalage + kLargeur;
        const auto longueurUtile = [finCle](const SCle& c) { return std::min<std::size_t>(c.longueur, finCle + 1); };
        const bool croissant = croissant_;
        std::sort(rangs, rangs + t.n, [&](const SCle& a, const SCle& b) {
            for (std::size_t m = 0; m < kMots; ++m)
                if (a.octets[m] != b.octets[m])
                    return (a.octets[m] < b.octets[m]) == croissant;
            const std::size_t la = longueurUtile(a), lb = longueurUtile(b);
            if (la != lb)
                return (la < lb) == croissant;
            return a.rang < b.rang;
        });
    }

    // After finir, in the main array: each run of two or more rows with equal keys whose
    // texts go on past them is read further and sorted again.
    void departagerLesSuites(std::size_t debut, std::size_t n, std::size_t decalage)
    {
        SCle* rangs = cles_.get() + debut;
        const std::size_t suivant = decalage + kLargeur;
        const auto continue_ = [&](const SCle& c) { return c.longueur > suivant; };
        for (std::size_t i = 0; i < n;) {
            std::size_t j = i + 1;
            while (j < n && continue_(rangs[i]) && continue_(rangs[j]) &&
                   std::equal(std::begin(rangs[i].octets), std::end(rangs[i].octets), std::begin(rangs[j].octets)))
                ++j;
            if (j - i > 1) {
                for (std::size_t k = i; k < j; ++k)
                    charger(rangs[k], textes_[rangs[k].rang], suivant);
                pile_.push_back({debut + i, j - i, suivant, false});
            }
            i = j;
        }
    }

    const std::vector<std::string_view>& textes_;
    const bool croissant_;
    const std::size_t n_;
    std::unique_ptr<SCle[]> cles_;
    std::unique_ptr<SCle[]> tampon_;
    std::vector<STache> pile_;
    std::vector<std::size_t> debuts_, places_;
};

} // namespace

std::vector<int> ordreDesTextes(const std::vector<std::string_view>& textes, bool croissant)
{
    return CTri(textes, croissant).ordre();
}
