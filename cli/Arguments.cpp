#include "cli/Arguments.h"
#include "platform/TexteAffichable.h"

#include <charconv>

CArguments::CArguments(const std::vector<std::string>& mots, std::initializer_list<SOption> options)
{
    bool finOptions = false;
    for (std::size_t i = 0; i < mots.size(); ++i) {
        const std::string& mot = mots[i];
        if (finOptions || mot.size() < 3 || mot.compare(0, 2, "--") != 0) {
            if (mot == "--")
                finOptions = true;
            else
                operandes_.push_back(mot);
            continue;
        }
        const std::size_t egal = mot.find('=');
        const std::string nom = mot.substr(2, egal == std::string::npos ? std::string::npos : egal - 2);
        const SOption* option = nullptr;
        for (const SOption& o : options)
            if (nom == o.nom)
                option = &o;
        if (!option)
            throw SErreurUsage("option inconnue : --" + nom);
        auto& liste = valeurs_[nom];
        if (!option->avecValeur) {
            if (egal != std::string::npos)
                throw SErreurUsage("l'option --" + nom + " ne prend pas de valeur");
            liste.emplace_back();
        } else if (egal != std::string::npos) {
            liste.push_back(mot.substr(egal + 1));
        } else if (i + 1 < mots.size()) {
            liste.push_back(mots[++i]);
        } else {
            throw SErreurUsage("l'option --" + nom + " attend une valeur");
        }
    }
}

std::optional<std::string> CArguments::valeur(const std::string& nom) const
{
    auto it = valeurs_.find(nom);
    if (it == valeurs_.end())
        return std::nullopt;
    if (it->second.size() > 1)
        throw SErreurUsage("l'option --" + nom + " est donnée plusieurs fois");
    return it->second.front();
}

const std::vector<std::string>& CArguments::valeurs(const std::string& nom) const
{
    static const std::vector<std::string> aucune;
    auto it = valeurs_.find(nom);
    return it == valeurs_.end() ? aucune : it->second;
}

int CArguments::entier(const std::string& nom, int minimum, int maximum, int absent) const
{
    const auto texte = valeur(nom);
    if (!texte)
        return absent;
    int n = 0;
    const char* fin = texte->data() + texte->size();
    const auto r = std::from_chars(texte->data(), fin, n);
    // from_chars takes a leading '-': a sign is refused like any other character.
    if (texte->empty() || (*texte)[0] == '-' || r.ec != std::errc() || r.ptr != fin || n < minimum || n > maximum)
        throw SErreurUsage("--" + nom + " attend un nombre entier de " + std::to_string(minimum) + " à " +
                           std::to_string(maximum) + " : " + entreGuillemets(*texte));
    return n;
}

void CArguments::exigerOperandes(std::size_t minimum, std::size_t maximum) const
{
    if (operandes_.size() < minimum)
        throw SErreurUsage("argument manquant");
    if (operandes_.size() > maximum)
        throw SErreurUsage("argument en trop : " + operandes_[maximum]);
}
