#include "search/MotsRapides.h"

#include <algorithm>
#include <cstdlib>

#include <utf8proc.h>

#include "platform/MotifChemin.h"

namespace {

// The length of the longest prefix of `texte` that is valid UTF-8.
std::size_t longueurValide(std::string_view texte)
{
    const auto* p = reinterpret_cast<const utf8proc_uint8_t*>(texte.data());
    std::size_t i = 0;
    while (i < texte.size()) {
        utf8proc_int32_t c;
        const utf8proc_ssize_t n =
            utf8proc_iterate(p + i, static_cast<utf8proc_ssize_t>(texte.size() - i), &c);
        if (n <= 0)
            break;
        i += static_cast<std::size_t>(n);
    }
    return i;
}

void plierValide(std::string_view texte, std::string& sortie)
{
    if (texte.empty())
        return;
    utf8proc_uint8_t* plie = nullptr;
    const utf8proc_ssize_t n = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(texte.data()),
                                            static_cast<utf8proc_ssize_t>(texte.size()), &plie,
                                            static_cast<utf8proc_option_t>(UTF8PROC_COMPAT | UTF8PROC_DECOMPOSE |
                                                                           UTF8PROC_CASEFOLD | UTF8PROC_STRIPMARK));
    if (n >= 0)
        sortie.append(reinterpret_cast<const char*>(plie), static_cast<std::size_t>(n));
    else
        sortie.append(texte);  // cannot happen on valid UTF-8; kept as it is rather than lost
    std::free(plie);
}

bool estBlanc(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

std::string plierPourRecherche(std::string_view texte)
{
    std::string sortie;
    // Most names are plain ASCII: their fold is their lower case, without the library.
    if (std::all_of(texte.begin(), texte.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        sortie.resize(texte.size());
        std::transform(texte.begin(), texte.end(), sortie.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; });
        return sortie;
    }
    while (!texte.empty()) {
        const std::size_t valide = longueurValide(texte);
        plierValide(texte.substr(0, valide), sortie);
        if (valide < texte.size())
            sortie += texte[valide];  // a stray byte, alone
        texte.remove_prefix(std::min(texte.size(), valide + 1));
    }
    return sortie;
}

std::vector<SMotRapide> analyserMots(std::string_view saisie)
{
    std::vector<SMotRapide> mots;
    std::size_t i = 0;
    while (i < saisie.size()) {
        if (estBlanc(saisie[i])) {
            ++i;
            continue;
        }
        std::size_t fin;
        std::string_view mot;
        if (saisie[i] == '"') {
            fin = saisie.find('"', i + 1);
            mot = saisie.substr(i + 1, (fin == std::string_view::npos ? saisie.size() : fin) - i - 1);
            fin = fin == std::string_view::npos ? saisie.size() : fin + 1;
        } else {
            fin = i;
            while (fin < saisie.size() && !estBlanc(saisie[fin]))
                ++fin;
            mot = saisie.substr(i, fin - i);
        }
        i = fin;
        if (mot.empty())
            continue;
        const bool motif = mot.find_first_of("*?") != std::string_view::npos;
        mots.push_back({motif ? std::string(mot) : plierPourRecherche(mot), motif});
    }
    return mots;
}

bool correspondMots(const std::vector<SMotRapide>& mots, std::string_view cheminPlie, std::string_view nom)
{
    if (mots.empty())
        return false;
    for (const SMotRapide& m : mots) {
        const bool trouve = m.motif ? correspondMotif(nom, m.texte) : cheminPlie.find(m.texte) != std::string_view::npos;
        if (!trouve)
            return false;
    }
    return true;
}
