#pragma once
// The buttons of a toolbar as records, and what customising it would need: the buttons
// a user could add, the layout a reset brings back, the answers to insert and delete
// requests. The program offers no customisation: the answers are no, and the layout
// is never saved.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// One button, in the 20-byte form toolbar layouts are stored in (little-endian).
struct SBoutonBarre {
    std::int32_t image = 0;      // index of its picture
    std::int32_t commande = 0;   // command id; 0 for a separator
    std::uint8_t etat = 0;
    std::uint8_t style = 0;      // kStyleSeparateur for a separator
    std::uint8_t reserve[2] = {};
    std::uint32_t donnees = 0;
    std::int32_t texte = -1;

    static constexpr std::uint8_t kStyleSeparateur = 1;
    static constexpr std::uint8_t kEtatActif = 4;
    static constexpr std::size_t kTaille = 20;
    bool estSeparateur() const { return style == kStyleSeparateur; }
};

class CDispositionBarre {
public:
    // The buttons as loaded: they are the layout, and the default one.
    explicit CDispositionBarre(std::vector<SBoutonBarre> boutons);
    // From toolbar ids left to right, 0 a separator; each button's picture is its rank.
    static CDispositionBarre depuisCommandes(std::span<const int> ids);

    // A stored default layout: taken and applied when its size is a whole number of
    // records; false, and nothing changed, otherwise.
    bool prendreDefaut(std::span<const std::byte> octets);

    const std::vector<SBoutonBarre>& boutons() const { return boutons_; }
    const std::vector<SBoutonBarre>& defaut() const { return defaut_; }
    // The loaded buttons without separators, in loaded order.
    const std::vector<SBoutonBarre>& disponibles() const { return disponibles_; }
    // Available button `i`, for a customising dialog; none past the end.
    std::optional<SBoutonBarre> disponible(std::size_t i) const;

    bool insertionPermise() const { return personnalisable_; }
    bool suppressionPermise() const { return personnalisable_; }
    void reinitialiser() { boutons_ = defaut_; }

private:
    std::vector<SBoutonBarre> boutons_;
    std::vector<SBoutonBarre> defaut_;
    std::vector<SBoutonBarre> disponibles_;
    bool personnalisable_ = false;  // nothing in the program sets it
};
