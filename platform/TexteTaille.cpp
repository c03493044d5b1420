#include "platform/TexteTaille.h"

#include <array>

namespace {

struct SUnite {
    std::uint64_t octets;
    const char* nom;
};

constexpr std::array<SUnite, 3> kUnites{{{1ULL << 10, "Ko"}, {1ULL << 20, "Mo"}, {1ULL << 30, "Go"}}};

} // namespace

std::string texteTaille(std::uint32_t taille)
{
    if (taille < 1024)
        return std::to_string(taille) + " octets";

    // A 32-bit size is always below 1000 Go, so the loop ends on a unit.
    const SUnite* unite = &kUnites.back();
    for (const SUnite& u : kUnites)
        if (taille < 1000 * u.octets) {
            unite = &u;
            break;
        }

    // Integer arithmetic: the digits are cut, never rounded up.
    const std::uint64_t centiemes = taille * 100ULL / unite->octets;
    std::string texte;
    if (centiemes < 1000) { // below 10: two decimals
        const auto c = unsigned(centiemes % 100);
        texte = std::to_string(centiemes / 100) + ',' + char('0' + c / 10) + char('0' + c % 10);
    } else if (centiemes < 10000) { // below 100: one decimal
        const std::uint64_t dixiemes = centiemes / 10;
        texte = std::to_string(dixiemes / 10) + ',' + char('0' + dixiemes % 10);
    } else {
        texte = std::to_string(centiemes / 100);
    }
    return texte + ' ' + unite->nom;
}
