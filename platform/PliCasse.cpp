#include "platform/PliCasse.h"

#include <memory>

#include <utf8proc.h>

namespace pli {

namespace {

char32_t plierParUnicode(char32_t c)
{
    utf8proc_int32_t plie[4];
    int classe = 0;
    const utf8proc_ssize_t n =
        utf8proc_decompose_char(static_cast<utf8proc_int32_t>(c), plie, 4, UTF8PROC_CASEFOLD, &classe);
    // The full fold may give several characters ("ß", "ẞ" -> "ss"): the simple fold is
    // then the lower-case form, one character.
    const char32_t pli = n == 1 ? char32_t(plie[0]) : char32_t(utf8proc_tolower(static_cast<utf8proc_int32_t>(c)));
    return pli < 0x80 ? c : pli;
}

// The basic plane's folds, worked out once: a name comparison folds every character.
const char32_t* tablePlanDeBase()
{
    static const std::unique_ptr<char32_t[]> table = [] {
        auto t = std::make_unique<char32_t[]>(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c)
            t[c] = c < 0x80 || (c >= 0xD800 && c <= 0xDFFF) ? c : plierParUnicode(c);
        return t;
    }();
    return table.get();
}

} // namespace

char32_t plierHorsAscii(char32_t c)
{
    if (c < 0x10000)
        return tablePlanDeBase()[c];
    return c <= 0x10FFFF ? plierParUnicode(c) : c;
}

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
