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
    plierALaSuite(texte, sortie);
    return sortie;
}

void plierALaSuite(std::string_view texte, std::string& sortie)
{
    // Most names are plain ASCII: their fold is their lower case, without the library.
    const std::size_t debut = sortie.size();
    sortie.resize(debut + texte.size());
    char* d = sortie.data() + debut;
    unsigned char tout = 0;
    for (char c : texte) {
        tout |= static_cast<unsigned char>(c);
        *d++ = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
    }
    if (tout < 0x80)
        return;
    sortie.resize(debut);
    while (!texte.empty()) {
        const std::size_t valide = longueurValide(texte);
        plierValide(texte.substr(0, valide), sortie);
        if (valide < texte.size())
            sortie += texte[valide];  // a stray byte, alone
        texte.remove_prefix(std::min(texte.size(), valide + 1));
    }
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
        // A word of combining marks alone folds to nothing, which every path holds.
        std::string plie = plierPourRecherche(mot);
        if (!plie.empty())
            mots.push_back({std::move(plie), motif});
    }
    return mots;
}

bool correspondMots(const std::vector<SMotRapide>& mots, std::string_view cheminPlie, std::string_view nom)
{
    if (mots.empty())
        return false;
    for (const SMotRapide& m : mots) {
        const bool trouve = m.motif ? correspondMotif(plierPourRecherche(nom), m.texte)
                                    : cheminPlie.find(m.texte) != std::string_view::npos;
        if (!trouve)
            return false;
    }
    return true;
}

bool affinent(const std::vector<SMotRapide>& mots, const std::vector<SMotRapide>& anciens)
{
    if (anciens.empty())
        return false;
    return std::all_of(anciens.begin(), anciens.end(), [&](const SMotRapide& ancien) {
        return std::any_of(mots.begin(), mots.end(), [&](const SMotRapide& m) {
            return ancien.motif ? m.motif && m.texte == ancien.texte
                                : !m.motif && m.texte.find(ancien.texte) != std::string::npos;
        });
    });
}
