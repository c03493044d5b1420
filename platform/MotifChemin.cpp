#include "platform/MotifChemin.h"

#include <algorithm>

#include "platform/PliCasse.h"

namespace {

using namespace pli;

// Where the star followed by the pattern character `m` may stop swallowing, from the
// character boundary `s` on. ASCII only ever matches ASCII, so the path bytes that
// cannot match are skipped in a tight loop; the result is still a character boundary.
inline const Octet* premierCandidat(const Octet* s, const Octet* sFin, Octet m)
{
    if (m == '?')
        return s;
    if (m >= 0x80) {
        while (s != sFin && *s < 0x80)
            ++s;
        return s;
    }
    const auto bas = Octet(kTablePli[m]);
    const auto haut = Octet(bas >= 'a' && bas <= 'z' ? bas - 0x20 : bas);
    while (s != sFin && *s != bas && *s != haut)
        ++s;
    return s;
}

// When the path spec ends with a star and then ASCII characters without '?' (as "*.doc"),
// those must be the last bytes of the path: checks them and leaves the path without
// them and the path spec up to that star included. False when they differ.
bool retirerFinFixe(const Octet*& sFin, const Octet* s, const Octet*& mFin, const Octet* m)
{
    const Octet* finFixe = mFin;
    while (finFixe != m && finFixe[-1] != '*') {
        if (finFixe[-1] >= 0x80 || finFixe[-1] == '?')
            return true;
        --finFixe;
    }
    if (finFixe == m) // no star: the general loop anchors both ends already
        return true;
    const auto longueur = mFin - finFixe;
    if (sFin - s < longueur)
        return false;
    const Octet* c = sFin - longueur;
    for (const Octet* p = finFixe; p != mFin; ++p, ++c)
        if (*c >= 0x80 || kTablePli[*c] != kTablePli[*p])
            return false;
    sFin -= longueur;
    mFin = finFixe;
    return true;
}

// Matches one spec against the whole path. On a mismatch only the last star seen is
// given one more character: earlier stars never need to, which keeps the cost at
// most the product of the two lengths.
bool correspondUnSpec(const Octet* s, const Octet* sFin, const Octet* m, const Octet* mFin)
{
    if (!retirerFinFixe(sFin, s, mFin, m))
        return false;
    const Octet* apresEtoile = nullptr; // pattern just after the last star
    const Octet* repriseChemin = nullptr; // path position where that star stops for now
    while (s != sFin) {
        if (m != mFin) {
            if (*m == '*') {
                do
                    ++m;
                while (m != mFin && *m == '*');
                if (m == mFin)
                    return true;
                apresEtoile = m;
                s = repriseChemin = premierCandidat(s, sFin, *m);
                continue;
            }
            const SCaractere cs = lireCaractere(s, sFin);
            if (*m == '?') {
                ++m;
                s += cs.longueur;
                continue;
            }
            const SCaractere cm = lireCaractere(m, mFin);
            if (cm.code == cs.code || plier(cm.code) == plier(cs.code)) {
                m += cm.longueur;
                s += cs.longueur;
                continue;
            }
        }
        if (apresEtoile == nullptr)
            return false;
        repriseChemin += lireCaractere(repriseChemin, sFin).longueur;
        s = repriseChemin = premierCandidat(repriseChemin, sFin, *apresEtoile);
        m = apresEtoile;
    }
    while (m != mFin && *m == '*')
        ++m;
    return m == mFin;
}

} // namespace

bool correspondMotif(std::string_view chemin, std::string_view motif)
{
    const auto* s = reinterpret_cast<const Octet*>(chemin.data());
    const auto* sFin = s + chemin.size();
    const char* m = motif.data();
    const char* fin = m + motif.size();
    bool specVu = false;
    for (;;) {
        while (m != fin && *m == ' ')
            ++m;
        const char* finSpec = std::find(m, fin, ';');
        if (finSpec != m) {
            specVu = true;
            const std::string_view spec(m, std::size_t(finSpec - m));
            if (spec == "*.*"
                || correspondUnSpec(s, sFin, reinterpret_cast<const Octet*>(m),
                                    reinterpret_cast<const Octet*>(finSpec)))
                return true;
        }
        if (finSpec == fin)
            return !specVu;
        m = finSpec + 1;
    }
}

bool motifSansSpec(std::string_view motif)
{
    return motif.find_first_not_of(" ;") == std::string_view::npos;
}
