#include "ui/DispositionBarre.h"

namespace {

std::uint32_t lire32(const std::byte* p)
{
    return std::to_integer<std::uint32_t>(p[0]) | std::to_integer<std::uint32_t>(p[1]) << 8 |
           std::to_integer<std::uint32_t>(p[2]) << 16 | std::to_integer<std::uint32_t>(p[3]) << 24;
}

SBoutonBarre lireBouton(const std::byte* p)
{
    SBoutonBarre b;
    b.image = static_cast<std::int32_t>(lire32(p));
    b.commande = static_cast<std::int32_t>(lire32(p + 4));
    b.etat = std::to_integer<std::uint8_t>(p[8]);
    b.style = std::to_integer<std::uint8_t>(p[9]);
    b.donnees = lire32(p + 12);
    b.texte = static_cast<std::int32_t>(lire32(p + 16));
    return b;
}

} // namespace

CDispositionBarre::CDispositionBarre(std::vector<SBoutonBarre> boutons) : boutons_(std::move(boutons)), defaut_(boutons_)
{
    for (const SBoutonBarre& b : boutons_)
        if (!b.estSeparateur())
            disponibles_.push_back(b);
}

CDispositionBarre CDispositionBarre::depuisCommandes(std::span<const int> ids)
{
    std::vector<SBoutonBarre> boutons;
    std::int32_t image = 0;
    for (int id : ids) {
        SBoutonBarre b;
        b.etat = SBoutonBarre::kEtatActif;
        if (id == 0) {
            b.style = SBoutonBarre::kStyleSeparateur;
        } else {
            b.commande = id;
            b.image = image++;
        }
        boutons.push_back(b);
    }
    return CDispositionBarre(std::move(boutons));
}

bool CDispositionBarre::prendreDefaut(std::span<const std::byte> octets)
{
    if (octets.size() % SBoutonBarre::kTaille != 0)
        return false;
    std::vector<SBoutonBarre> defaut;
    for (std::size_t i = 0; i < octets.size(); i += SBoutonBarre::kTaille)
        defaut.push_back(lireBouton(octets.data() + i));
    defaut_ = std::move(defaut);
    reinitialiser();
    return true;
}

std::optional<SBoutonBarre> CDispositionBarre::disponible(std::size_t i) const
{
    if (i >= disponibles_.size())
        return std::nullopt;
    return disponibles_[i];
}
