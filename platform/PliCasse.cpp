#include "platform/PliCasse.h"

namespace pli {

bool egalSansCasse(std::string_view a, std::string_view b)
{
    auto* p = reinterpret_cast<const Octet*>(a.data());
    auto* q = reinterpret_cast<const Octet*>(b.data());
    const Octet* pFin = p + a.size();
    const Octet* qFin = q + b.size();
    while (p < pFin && q < qFin) {
        if (*p == *q && *p < 0x80) {
            ++p;
            ++q;
            continue;
        }
        const SCaractere x = lireCaractere(p, pFin);
        const SCaractere y = lireCaractere(q, qFin);
        if (plier(x.code) != plier(y.code))
            return false;
        p += x.longueur;
        q += y.longueur;
    }
    return p == pFin && q == qFin;
}

std::uint64_t hacherSansCasse(std::string_view texte)
{
    // FNV-1a over the folded code points.
    std::uint64_t h = 0xCBF29CE484222325ULL;
    auto* p = reinterpret_cast<const Octet*>(texte.data());
    const Octet* fin = p + texte.size();
    while (p < fin) {
        const SCaractere c = lireCaractere(p, fin);
        h = (h ^ plier(c.code)) * 0x100000001B3ULL;
        p += c.longueur;
    }
    return h;
}

} // namespace pli
