#include "model/CriteresFichier.h"

#include <cstring>
#include <string>

#include "model/CCriteres.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/MotifChemin.h"

namespace {

bool tailleAcceptee(std::uint32_t taille, const CCriteres& c)
{
    // A divisor of 0 only comes from a damaged record: count in bytes then.
    const std::uint32_t q = taille / (c.diviseurTaille ? c.diviseurTaille : 1u);
    switch (c.comparaisonTaille) {
    case kTailleEgale: return q == c.valeurTaille;
    case kTailleAuMoins: return q >= c.valeurTaille;
    default: return q <= c.valeurTaille;
    }
}

bool attributsAcceptes(const char (&lettres)[5], const CCriteres& c)
{
    static constexpr char kLettres[4] = {'R', 'H', 'S', 'A'};
    for (int i = 0; i < 4; ++i) {
        if (c.attributs[i] >= kAttributIndifferent)
            continue;
        const bool present = std::memchr(lettres, kLettres[i], 4) != nullptr;
        if (static_cast<std::int32_t>(present) != c.attributs[i])
            return false;
    }
    return true;
}

} // namespace

bool testerFichier(const CFichier& f, const CCriteres& c, const CRequete& q)
{
    if (!c.motif.empty()) {
        // The path is made for the pattern: in one buffer a thread, not a string a file.
        thread_local std::string chemin;
        f.ecrireChemin(chemin);
        if (!correspondMotif(chemin, c.motif))
            return false;
    }
    if (q.stockerCree && c.cree.actif && !c.cree.contient(f.cree()))
        return false;
    if (q.stockerModifie && c.modifie.actif && !c.modifie.contient(f.modifie()))
        return false;
    if (q.stockerAccede && c.accede.actif && !c.accede.contient(f.accede()))
        return false;
    if (q.stockerTaille && c.testTaille && !tailleAcceptee(f.taille, c))
        return false;
    if (q.stockerAttributs && !attributsAcceptes(f.lettres, c))
        return false;
    return true;
}
