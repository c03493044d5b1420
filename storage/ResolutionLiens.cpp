#include "storage/ResolutionLiens.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/RaisonSysteme.h"
#include "platform/TexteAffichable.h"

namespace {

constexpr int kLiensMax = 40;  // as the kernel, before ELOOP

std::string joindre(const std::string& dossier, const std::string& nom)
{
    if (dossier.empty())
        return nom;
    return dossier.back() == '/' ? dossier + nom : dossier + "/" + nom;
}

// Pushes the components of `chemin` so that the first comes out first.
void empiler(std::vector<std::string>& pile, const std::string& chemin)
{
    std::vector<std::string> composants;
    for (std::size_t debut = 0; debut <= chemin.size();) {
        std::size_t fin = chemin.find('/', debut);
        if (fin == std::string::npos)
            fin = chemin.size();
        if (fin > debut)
            composants.push_back(chemin.substr(debut, fin - debut));
        debut = fin + 1;
    }
    pile.insert(pile.end(), composants.rbegin(), composants.rend());
}

// ".." of a path already free of links is its parent, except above the root or at the
// start of a relative path.
std::string remonter(const std::string& fait)
{
    if (fait == "/")
        return fait;
    const std::size_t sep = fait.rfind('/');
    const std::string dernier = sep == std::string::npos ? fait : fait.substr(sep + 1);
    if (fait.empty() || dernier == "..")
        return joindre(fait, "..");
    if (sep == std::string::npos)
        return "";
    return sep == 0 ? "/" : fait.substr(0, sep);
}

// The kernel's rule: in a sticky folder that others may write, only a link of the
// folder's owner or of the one who follows it is followed.
bool lienPlante(const struct stat& lien, const struct stat& dossier)
{
    return (dossier.st_mode & S_ISVTX) && (dossier.st_mode & S_IWOTH) && lien.st_uid != dossier.st_uid &&
           lien.st_uid != ::geteuid();
}

} // namespace

CResultat<> resoudreCheminEcrit(const std::string& chemin, std::string& cible)
{
    std::vector<std::string> pile;
    empiler(pile, chemin);
    std::string fait = !chemin.empty() && chemin[0] == '/' ? "/" : "";
    int liens = 0;
    bool dernierEstLien = false;  // the last component of `chemin`, or of a link it led to
    while (!pile.empty()) {
        const std::string composant = std::move(pile.back());
        pile.pop_back();
        if (composant == ".")
            continue;
        if (composant == "..") {
            fait = remonter(fait);
            continue;
        }
        const std::string suivant = joindre(fait, composant);
        struct stat st {};
        if (::lstat(suivant.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            // Not there: a new file, or the write fails on it with its own reason.
            fait = suivant;
            continue;
        }
        dernierEstLien = pile.empty();
        if (++liens > kLiensMax)
            return echec("le lien symbolique ne mène à aucun fichier (" + raisonSysteme(ELOOP) + ")");
        struct stat dossier {};
        if (::stat(fait.empty() ? "." : fait.c_str(), &dossier) != 0)
            return echec(raisonSysteme(errno));
        if (lienPlante(st, dossier))
            return echec("le lien symbolique " + entreGuillemets(suivant) +
                         " appartient à un autre utilisateur, dans un dossier partagé : il n'est pas suivi");
        std::string vers(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4095) + 1, '\0');
        const ssize_t n = ::readlink(suivant.c_str(), vers.data(), vers.size());
        if (n < 0 || static_cast<std::size_t>(n) >= vers.size())
            return echec("le lien symbolique ne mène à aucun fichier (" + raisonSysteme(n < 0 ? errno : ENAMETOOLONG) + ")");
        vers.resize(static_cast<std::size_t>(n));
        if (!vers.empty() && vers[0] == '/')
            fait = "/";
        empiler(pile, vers);
        if (vers.empty())
            return echec("le lien symbolique ne mène à aucun fichier (" + raisonSysteme(ENOENT) + ")");
    }
    // A link that leads to nothing: no new file is made at its target.
    struct stat st {};
    if (dernierEstLien && ::stat(fait.c_str(), &st) != 0)
        return echec("le lien symbolique ne mène à aucun fichier (" + raisonSysteme(errno) + ")");
    cible = fait.empty() ? "." : fait;
    return {};
}
