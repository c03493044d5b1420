#include "platform/linux/PointsMontage.h"

#include "platform/Chemins.h"

#include <fstream>
#include <sstream>

namespace {

bool estOctal(char c) { return c >= '0' && c <= '7'; }

// The kernel writes space, tab, newline and backslash in paths as \040, \011, \012, \134.
std::string decoderEchappements(std::string_view champ)
{
    std::string resultat;
    resultat.reserve(champ.size());
    for (std::size_t i = 0; i < champ.size(); ++i) {
        if (champ[i] == '\\' && i + 3 < champ.size() && estOctal(champ[i + 1]) && estOctal(champ[i + 2]) &&
            estOctal(champ[i + 3])) {
            const int valeur = (champ[i + 1] - '0') * 64 + (champ[i + 2] - '0') * 8 + (champ[i + 3] - '0');
            resultat += static_cast<char>(valeur);
            i += 3;
        } else {
            resultat += champ[i];
        }
    }
    return resultat;
}

std::vector<std::string_view> champs(std::string_view ligne)
{
    std::vector<std::string_view> resultat;
    std::size_t i = 0;
    while (i < ligne.size()) {
        while (i < ligne.size() && ligne[i] == ' ')
            ++i;
        const std::size_t debut = i;
        while (i < ligne.size() && ligne[i] != ' ')
            ++i;
        if (i > debut)
            resultat.push_back(ligne.substr(debut, i - debut));
    }
    return resultat;
}

// "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw": the optional
// fields run up to the lone "-", then come type, source and super-block options.
bool analyserLigne(std::string_view ligne, SPointMontage& montage)
{
    const std::vector<std::string_view> c = champs(ligne);
    std::size_t tiret = 6;
    while (tiret < c.size() && c[tiret] != "-")
        ++tiret;
    if (c.size() < 6 || tiret + 2 >= c.size() || c[4].empty() || c[4].front() != '/')
        return false;
    montage.numeroPeriph = std::string(c[2]);
    montage.pointMontage = decoderEchappements(c[4]);
    montage.typeFs = decoderEchappements(c[tiret + 1]);
    montage.source = decoderEchappements(c[tiret + 2]);
    return true;
}

// True when `prefixe` (a mount point) covers `chemin` on whole components.
bool couvre(std::string_view prefixe, std::string_view chemin)
{
    if (prefixe == "/")
        return true;
    return chemin.substr(0, prefixe.size()) == prefixe &&
           (chemin.size() == prefixe.size() || chemin[prefixe.size()] == '/');
}

} // namespace

std::vector<SPointMontage> analyserMountinfo(std::string_view texte)
{
    std::vector<SPointMontage> montages;
    std::size_t debut = 0;
    while (debut < texte.size()) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string_view::npos)
            fin = texte.size();
        SPointMontage montage;
        if (analyserLigne(texte.substr(debut, fin - debut), montage))
            montages.push_back(std::move(montage));
        debut = fin + 1;
    }
    return montages;
}

std::vector<SPointMontage> lirePointsMontage()
{
    std::ifstream fichier("/proc/self/mountinfo");
    std::ostringstream texte;
    texte << fichier.rdbuf();
    return analyserMountinfo(texte.str());
}

const SPointMontage* montageDe(const std::vector<SPointMontage>& montages, std::string_view chemin)
{
    const SPointMontage* meilleur = nullptr;
    for (const SPointMontage& m : montages)
        if (couvre(m.pointMontage, chemin) &&
            (meilleur == nullptr || m.pointMontage.size() >= meilleur->pointMontage.size()))
            meilleur = &m;
    return meilleur;
}

std::string racineDans(const std::vector<SPointMontage>& montages, std::string_view chemin)
{
    if (chemin.empty() || chemin.front() != '/')
        return racineDos(chemin);
    const SPointMontage* montage = montageDe(montages, chemin);
    return montage != nullptr ? montage->pointMontage : "/";
}
