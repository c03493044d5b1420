#pragma once
// Filters and search patterns are matched against whole paths, so a test's pattern
// must not reach the temporary folder's own name (random, or TMPDIR's): each spec is
// anchored on the folder under test, whose '*', '?' and ';' become '?' (the pattern
// language has no escape; '?' takes exactly that one character).

#include <string>
#include <string_view>

inline std::string motifSousDossier(std::string_view dossier, std::string_view specs)
{
    if (specs.empty())
        return {};
    std::string prefixe(dossier);
    for (char& c : prefixe)
        if (c == '*' || c == '?' || c == ';')
            c = '?';
    std::string motif;
    for (std::size_t debut = 0;;) {
        const std::size_t fin = specs.find(';', debut);
        if (!motif.empty())
            motif += ';';
        motif += prefixe;
        motif += specs.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut);
        if (fin == std::string_view::npos)
            return motif;
        debut = fin + 1;
    }
}
