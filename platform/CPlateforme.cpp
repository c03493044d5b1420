#include "platform/CPlateforme.h"

#include "platform/Chemins.h"
#include "platform/MotifChemin.h"
#include "platform/TexteTaille.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

CPlateforme* g_plateforme = nullptr;

} // namespace

CPlateforme& plateforme()
{
    if (g_plateforme == nullptr) {
        // A programming error: main() or the test fixture forgot definirPlateforme().
        std::fputs("Norvanel: plateforme() appelée avant definirPlateforme().\n", stderr);
        std::abort();
    }
    return *g_plateforme;
}

CPlateforme* definirPlateforme(CPlateforme* p)
{
    CPlateforme* precedente = g_plateforme;
    g_plateforme = p;
    return precedente;
}

std::unique_ptr<CEnumeration> CEnumeration::ouvrirParent(int* erreur)
{
    if (erreur)
        *erreur = ENOTSUP;
    return nullptr;
}

std::string CPlateforme::texteTaille(std::uint32_t taille) const { return ::texteTaille(taille); }

bool CPlateforme::correspondMotif(const std::string& chemin, const std::string& motif) const
{
    return ::correspondMotif(chemin, motif);
}

std::string CPlateforme::ajouterAuChemin(const std::string& chemin, const std::string& composant) const
{
    return ::ajouterAuChemin(chemin, composant);
}

std::string CPlateforme::dernierComposant(const std::string& chemin) const { return ::dernierComposant(chemin); }

bool CPlateforme::estRacine(const std::string& chemin) const
{
    if (chemin.empty())
        return false;
    return sansSeparateursFinaux(racine(chemin)) == sansSeparateursFinaux(chemin);
}

int CPlateforme::filsCapture(const std::string&) const
{
    return 1;
}

std::size_t CPlateforme::dossiersOuvertsMax() const
{
    return std::numeric_limits<std::size_t>::max();
}
