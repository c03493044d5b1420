#include "platform/linux/IdentiteVolume.h"

int valeurHexa(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

namespace {

// FNV-1a: a fixed, portable hash, so the same text gives the same serial everywhere.
std::uint32_t hacher(std::string_view texte)
{
    std::uint32_t h = 2166136261u;
    for (const char c : texte) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

} // namespace

std::uint32_t numeroSerieDepuisUuid(std::string_view uuid)
{
    if (uuid.empty())
        return 0;
    std::string chiffres;
    for (const char c : uuid) {
        if (c == '-')
            continue;
        if (valeurHexa(c) < 0)
            return hacher(uuid);
        chiffres += c;
    }
    if (chiffres.size() != 8 && chiffres.size() != 16 && chiffres.size() != 32)
        return hacher(uuid);

    // Big-endian reading of each group of eight digits, XORed together; for 16 digits
    // only the low group counts.
    const std::size_t premier = chiffres.size() == 16 ? 8 : 0;
    std::uint32_t serie = 0;
    for (std::size_t groupe = premier; groupe < chiffres.size(); groupe += 8) {
        std::uint32_t mot = 0;
        for (std::size_t i = groupe; i < groupe + 8; ++i)
            mot = (mot << 4) | static_cast<std::uint32_t>(valeurHexa(chiffres[i]));
        serie ^= mot;
    }
    return serie;
}

std::uint32_t numeroSerieDepuisFsid(std::int32_t mot0, std::int32_t mot1)
{
    return static_cast<std::uint32_t>(mot0) ^ static_cast<std::uint32_t>(mot1);
}

std::string tronqueUtf8(std::string_view texte, std::size_t maximum)
{
    if (texte.size() <= maximum)
        return std::string(texte);
    // Find where the character that straddles the cut begins (at most three
    // continuation bytes back); drop it when it does not fit whole.
    std::size_t debut = maximum;
    const auto continuation = [&](std::size_t i) { return (static_cast<unsigned char>(texte[i]) & 0xC0) == 0x80; };
    while (debut > 0 && maximum - debut < 3 && continuation(debut))
        --debut;
    const unsigned char tete = static_cast<unsigned char>(texte[debut]);
    const std::size_t longueur = tete >= 0xF0 ? 4 : tete >= 0xE0 ? 3 : tete >= 0xC0 ? 2 : 1;
    const std::size_t coupe = debut + longueur > maximum && tete >= 0xC0 ? debut : maximum;
    return std::string(texte.substr(0, coupe));
}
