#include "platform/Chemins.h"

#include <cstring>

namespace {

bool estLettre(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool commenceParLecteur(std::string_view chemin)
{
    return chemin.size() >= 2 && estLettre(chemin[0]) && chemin[1] == ':';
}

// The separators of a path: '/' alone for a Linux path, '\' and '/' for any other.
std::string_view separateurs(std::string_view chemin)
{
    return !chemin.empty() && chemin.front() == '/' ? std::string_view("/") : std::string_view("\\/");
}

// The last separator in `dans`, a part of `chemin`. A Linux path has one separator,
// found by the C library's vector search, where find_last_of would search the set at
// every character.
std::size_t dernierSeparateur(std::string_view chemin, std::string_view dans)
{
    if (!chemin.empty() && chemin.front() == '/') {
        const void* sep = ::memrchr(dans.data(), '/', dans.size());
        return sep ? std::size_t(static_cast<const char*>(sep) - dans.data()) : std::string_view::npos;
    }
    return dans.find_last_of("\\/");
}

} // namespace

bool estCheminDos(std::string_view chemin)
{
    return commenceParLecteur(chemin) || (!chemin.empty() && chemin.front() == '\\');
}

std::string_view sansSeparateursFinaux(std::string_view chemin)
{
    const std::size_t dernier = chemin.find_last_not_of(separateurs(chemin));
    return dernier == std::string_view::npos ? std::string_view() : chemin.substr(0, dernier + 1);
}

std::string ajouterAuChemin(std::string_view chemin, std::string_view composant)
{
    if (chemin.empty())
        return std::string(composant);
    const std::size_t debut = composant.find_first_not_of(separateurs(chemin));
    if (debut == std::string_view::npos)
        return std::string(chemin);
    composant.remove_prefix(debut);
    std::string joint = std::string(sansSeparateursFinaux(chemin));
    joint += estCheminDos(chemin) ? '\\' : '/';
    joint += composant;
    return joint;
}

std::string dernierComposant(std::string_view chemin)
{
    const std::string_view tronque = sansSeparateursFinaux(chemin);
    if (tronque.empty()) // "/", or separators only
        return std::string(chemin);
    if (commenceParLecteur(chemin) && tronque.size() == 2) // "C:\" is its own name
        return racineDos(chemin);
    const std::size_t separateur = dernierSeparateur(chemin, tronque);
    if (separateur != std::string_view::npos)
        return std::string(tronque.substr(separateur + 1));
    return std::string(commenceParLecteur(chemin) ? tronque.substr(2) : tronque); // "C:x" -> "x"
}

std::string racineDos(std::string_view chemin)
{
    if (commenceParLecteur(chemin))
        return std::string(chemin.substr(0, 2)) + '\\';
    if (chemin.empty() || chemin.front() != '\\')
        return {};
    if (chemin.size() < 2 || (chemin[1] != '\\' && chemin[1] != '/'))
        return "\\";
    // "\\server\share": the root goes up to the end of the share name.
    constexpr std::string_view kSeparateurs = "\\/";
    const std::size_t finServeur = chemin.find_first_of(kSeparateurs, 2);
    if (finServeur == std::string_view::npos)
        return std::string(chemin);
    const std::size_t finPartage = chemin.find_first_of(kSeparateurs, finServeur + 1);
    return std::string(chemin.substr(0, finPartage));
}

bool estRacineDos(std::string_view chemin)
{
    const std::string racine = racineDos(chemin);
    return !racine.empty() && sansSeparateursFinaux(racine) == sansSeparateursFinaux(chemin);
}

std::size_t debutDuNom(std::string_view chemin)
{
    const std::size_t sep = dernierSeparateur(chemin, chemin);
    return sep == std::string_view::npos ? 0 : sep + 1;
}

std::string_view dossierDuChemin(std::string_view chemin)
{
    const std::size_t sep = dernierSeparateur(chemin, chemin);
    if (sep == std::string_view::npos)
        return {};
    const std::string_view avant = chemin.substr(0, sep + 1);
    const std::string_view tronque = sansSeparateursFinaux(avant);
    // A root keeps its separator: "/" and "C:\", not "" and "C:".
    if (tronque.empty() || (commenceParLecteur(avant) && tronque.size() == 2))
        return avant;
    return tronque;
}

bool memeDossier(std::string_view a, std::string_view b)
{
    return sansSeparateursFinaux(a) == sansSeparateursFinaux(b);
}

bool estSousDossier(std::string_view chemin, std::string_view dossier)
{
    const std::string_view d = sansSeparateursFinaux(dossier);
    if (chemin.size() <= d.size() + 1 || chemin.substr(0, d.size()) != d)
        return false;
    const std::string_view seps = separateurs(chemin);
    return seps.find(chemin[d.size()]) != std::string_view::npos &&
           !sansSeparateursFinaux(chemin.substr(d.size())).empty();
}
