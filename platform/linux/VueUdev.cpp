#include "platform/linux/VueUdev.h"

#include "platform/linux/IdentiteVolume.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// A device's database file holds a few dozen short lines; anything past this is not
// udev's and is not read.
constexpr std::size_t kTailleMaxDonnees = 64 * 1024;
// Entries of a by-label or by-uuid folder examined at most.
constexpr int kLiensMax = 4096;

// The complete lines at the start of the regular file `chemin`, at most `maximum`
// bytes; empty when it cannot be read. A line cut by the limit is left out.
std::string lireLignes(const std::string& chemin, std::size_t maximum)
{
    // O_NONBLOCK: a FIFO put in the file's place never makes the open wait.
    const int fd = open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string texte;
    struct stat etat {};
    if (fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode)) {
        texte.resize(maximum);
        std::size_t lu = 0;
        while (lu < maximum) {
            const ssize_t n = read(fd, texte.data() + lu, maximum - lu);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            lu += static_cast<std::size_t>(n);
        }
        texte.resize(lu);
        if (lu == maximum)
            texte.resize(texte.rfind('\n') == std::string::npos ? 0 : texte.rfind('\n') + 1);
    }
    close(fd);
    return texte;
}

// The name of the entry of `dossier` that is a link to the block device
// `peripherique`, decoded; nullopt when there is none.
std::optional<std::string> lienVers(const std::string& dossier, dev_t peripherique)
{
    DIR* flux = opendir(dossier.c_str());
    if (flux == nullptr)
        return std::nullopt;
    std::optional<std::string> trouve;
    int examines = 0;
    for (const dirent* d; !trouve && examines < kLiensMax && (d = readdir(flux)) != nullptr; ++examines) {
        const std::string_view nom = d->d_name;
        struct stat cible {};
        // Follows the link to the node without opening it.
        if (nom != "." && nom != ".." && fstatat(dirfd(flux), d->d_name, &cible, 0) == 0 && S_ISBLK(cible.st_mode) &&
            cible.st_rdev == peripherique)
            trouve = decoderEchappementsUdev(nom);
    }
    closedir(flux);
    return trouve;
}

} // namespace

std::string decoderEchappementsUdev(std::string_view texte)
{
    std::string resultat;
    resultat.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size(); ++i) {
        char c = texte[i];
        if (c == '\\' && i + 3 < texte.size() && texte[i + 1] == 'x' && valeurHexa(texte[i + 2]) >= 0 &&
            valeurHexa(texte[i + 3]) >= 0) {
            c = static_cast<char>(valeurHexa(texte[i + 2]) * 16 + valeurHexa(texte[i + 3]));
            i += 3;
        }
        if (c == '\0')
            break;
        resultat += c;
    }
    return resultat;
}

std::optional<SSystemeUdev> analyserDonneesUdev(std::string_view texte)
{
    SSystemeUdev systeme;
    bool decrit = false;
    while (!texte.empty()) {
        const std::size_t fin = std::min(texte.find('\n'), texte.size());
        const std::string_view ligne = texte.substr(0, fin);
        texte.remove_prefix(std::min(fin + 1, texte.size()));
        const auto valeur = [&](std::string_view cle) -> std::optional<std::string_view> {
            if (ligne.size() <= cle.size() + 3 || ligne.substr(0, 2) != "E:" || ligne.substr(2, cle.size()) != cle ||
                ligne[2 + cle.size()] != '=')
                return std::nullopt;
            return ligne.substr(3 + cle.size());
        };
        if (const auto v = valeur("ID_FS_LABEL_ENC")) {
            systeme.etiquette = decoderEchappementsUdev(*v);
            decrit = true;
        } else if (const auto u = valeur("ID_FS_UUID")) {
            systeme.uuid = std::string(*u);
            decrit = true;
        } else if (valeur("ID_FS_TYPE")) {
            decrit = true;
        }
    }
    if (!decrit)
        return std::nullopt;
    return systeme;
}

std::optional<SSystemeUdev> systemeSelonUdev(const SRacinesUdev& racines, dev_t peripherique)
{
    const std::string nom = "b" + std::to_string(major(peripherique)) + ":" + std::to_string(minor(peripherique));
    if (std::optional<SSystemeUdev> systeme = analyserDonneesUdev(lireLignes(racines.donnees + "/" + nom, kTailleMaxDonnees)))
        return systeme;
    std::optional<std::string> etiquette = lienVers(racines.liens + "/by-label", peripherique);
    std::optional<std::string> uuid = lienVers(racines.liens + "/by-uuid", peripherique);
    if (!etiquette && !uuid)
        return std::nullopt;
    return SSystemeUdev{etiquette.value_or(std::string()), uuid.value_or(std::string())};
}
