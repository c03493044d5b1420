#include "storage/CReglages.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "platform/TexteAffichable.h"
#include "storage/CSortie.h"
#include "storage/EcritureSure.h"
#include "storage/FichierOrdinaire.h"
#include "storage/TexteIni.h"

namespace {

constexpr const char* kSectionRecents = "Recent File List";
constexpr const char* kEnteteRecents = "[Recent%20File%20List]";
constexpr const char* kSectionReglages = "Settings";
constexpr const char* kClefPages = "PreviewPages";
// Four paths, even long and fully escaped, take far less; more is not a settings file.
constexpr std::size_t kTailleMax = 1 << 20;

std::string_view sansBlancs(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The place in the list of "File1".."File4", or -1.
int rangRecent(const std::string& clef)
{
    if (clef.size() != 5 || clef.compare(0, 4, "File") != 0 || clef[4] < '1' ||
        clef[4] > static_cast<char>('0' + CReglages::kNombreRecents))
        return -1;
    return clef[4] - '1';
}

std::optional<int> lireEntierPositif(const std::string& texte)
{
    if (texte.empty() || texte.size() > 10)
        return std::nullopt;
    long long v = 0;
    for (char c : texte) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > INT_MAX)
        return std::nullopt;
    return static_cast<int>(v);
}

std::string dossierPersonnel()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    passwd compte{};
    passwd* trouve = nullptr;
    char tampon[4096];
    if (::getpwuid_r(::getuid(), &compte, tampon, sizeof tampon, &trouve) == 0 && trouve && trouve->pw_dir)
        return trouve->pw_dir;
    return {};
}

// Creates the folders of `chemin` that are missing, as XDG asks (0700): 0, or errno.
int creerDossiersDe(const std::string& chemin)
{
    for (std::size_t sep = chemin.find('/', 1); sep != std::string::npos; sep = chemin.find('/', sep + 1))
        if (::mkdir(chemin.substr(0, sep).c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
    return 0;
}

// Reads the whole regular file at `chemin` into `contenu`, or says what went wrong
// (`absent` tells a missing file apart).
CResultat<> lireFichierReglages(const std::string& chemin, std::string& contenu, bool& absent)
{
    const SOuvertureLecture ouvert = ouvrirFichierOrdinaire(chemin);
    if (ouvert.probleme) {
        absent = ouvert.absent;
        return echec(*ouvert.probleme);
    }
    const int fd = ouvert.fd;
    std::optional<std::string> probleme;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        probleme = raisonSysteme(errno);
    else if (static_cast<std::uint64_t>(st.st_size) > kTailleMax)
        probleme = "le fichier est trop grand";
    char tampon[65536];
    while (!probleme) {
        const ssize_t lus = ::read(fd, tampon, sizeof tampon);
        if (lus < 0 && errno == EINTR)
            continue;
        if (lus < 0)
            probleme = raisonSysteme(errno);
        else if (lus == 0)
            break;
        else if (contenu.size() + static_cast<std::size_t>(lus) > kTailleMax)
            probleme = "le fichier est trop grand";
        else
            contenu.append(tampon, static_cast<std::size_t>(lus));
    }
    ::close(fd);
    if (probleme)
        return echec(*probleme);
    return {};
}

} // namespace

std::string CReglages::cheminParDefaut()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const std::string home = dossierPersonnel();
        if (home.empty())
            return {};
        base = home + "/.config";
    }
    return base + "/VESKA/Norvanel.conf";
}

CReglages::CReglages(std::string chemin) : chemin_(std::move(chemin)) {}

CResultat<> CReglages::charger()
{
    recents_.clear();
    sections_.clear();
    pagesApercu_ = 0;
    modifie_ = false;
    auto illisibles = [this](const std::string& pourquoi) {
        recents_.clear();
        sections_.clear();
        pagesApercu_ = 0;
        return echec("Les réglages " + entreGuillemets(chemin_) + " sont illisibles : " + pourquoi +
                     ". Les réglages par défaut sont utilisés.");
    };
    if (chemin_.empty())
        return illisibles("aucun dossier personnel n'est connu");
    std::string contenu;
    bool absent = false;
    if (auto lu = lireFichierReglages(chemin_, contenu, absent); !lu)
        return absent ? CResultat<>() : CResultat<>(illisibles(lu.raison()));
    if (auto lu = lire(contenu); !lu)
        return illisibles(lu.raison());
    return {};
}

CResultat<> CReglages::lire(const std::string& contenu)
{
    sections_.push_back({});  // what comes before the first header
    std::vector<std::string> places(kNombreRecents);
    std::size_t debut = 0;
    for (int numero = 1; debut < contenu.size(); ++numero) {
        std::size_t fin = contenu.find('\n', debut);
        if (fin == std::string::npos)
            fin = contenu.size();
        std::string_view ligne(contenu.data() + debut, fin - debut);
        debut = fin + 1;
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.remove_suffix(1);
        const std::string ou = " à la ligne " + std::to_string(numero);
        if (std::any_of(ligne.begin(), ligne.end(), [](char c) { return c >= 0 && c < 0x20 && c != '\t'; }))
            return echec("caractère de contrôle" + ou);
        const std::string_view utile = sansBlancs(ligne);
        if (utile.empty())
            continue;
        if (utile.front() == ';' || utile.front() == '#') {
            sections_.back().lignes.push_back({{}, std::string(ligne)});
            continue;
        }
        if (utile.front() == '[') {
            if (utile.size() < 2 || utile.back() != ']')
                return echec("en-tête de section mal formé" + ou);
            sections_.push_back({lireClefIni(utile.substr(1, utile.size() - 2)), std::string(utile), {}});
            continue;
        }
        const std::size_t egal = utile.find('=');
        const std::string clef = egal == std::string_view::npos ? std::string() : lireClefIni(sansBlancs(utile.substr(0, egal)));
        if (clef.empty())
            return echec("ligne mal formée" + ou);
        sections_.back().lignes.push_back({clef, std::string(ligne)});

        const std::string& section = sections_.back().nom;
        const int rang = section == kSectionRecents ? rangRecent(clef) : -1;
        const bool pages = section == kSectionReglages && clef == kClefPages;
        if (rang < 0 && !pages)
            continue;  // not ours: kept as it is
        const std::optional<std::string> valeur = lireValeurIni(utile.substr(egal + 1));
        if (!valeur)
            return echec("la valeur de " + clef + " est mal formée" + ou);
        if (rang >= 0) {
            places[static_cast<std::size_t>(rang)] = *valeur;
        } else if (auto n = lireEntierPositif(*valeur)) {
            pagesApercu_ = *n;
        } else {
            return echec("la valeur de " + clef + " n'est pas un nombre valable" + ou);
        }
    }
    for (const std::string& p : places)
        if (!p.empty() && std::find(recents_.begin(), recents_.end(), p) == recents_.end())
            recents_.push_back(p);
    return {};
}

std::string CReglages::texte() const
{
    std::string recents;
    for (std::size_t i = 0; i < recents_.size(); ++i)
        recents += "File" + std::to_string(i + 1) + "=" + echapperValeurIni(recents_[i]) + "\n";

    std::string r;
    auto ajouterBloc = [&r](const std::string& entete, const std::string& lignes) {
        if (lignes.empty())
            return;
        r += (r.empty() ? "" : "\n") + (entete.empty() ? lignes : entete + "\n" + lignes);
    };
    bool recentsPlaces = false;
    for (const SSection& s : sections_) {
        const bool estRecents = s.nom == kSectionRecents;
        std::string lignes;
        for (const SLigne& l : s.lignes)
            if (!estRecents || rangRecent(l.clef) < 0)
                lignes += l.brut + "\n";
        if (estRecents && !recentsPlaces) {
            lignes += recents;
            recentsPlaces = true;
        }
        ajouterBloc(s.entete, lignes);
    }
    if (!recentsPlaces)
        ajouterBloc(kEnteteRecents, recents);
    return r;
}

CResultat<> CReglages::enregistrer()
{
    if (!modifie_)
        return {};
    auto impossible = [this](const std::string& pourquoi) {
        return echec("Impossible d'enregistrer les réglages " + entreGuillemets(chemin_) + " : " + pourquoi + ".");
    };
    if (chemin_.empty())
        return impossible("aucun dossier personnel n'est connu");
    if (const int erreur = creerDossiersDe(chemin_))
        return impossible(raisonSysteme(erreur));
    const std::string contenu = texte();
    if (const auto e = ecrireFichierSur(chemin_, [&contenu](CSortie& s) { s.ecrire(contenu.data(), contenu.size()); }))
        return echec(texteEchecEcriture("Impossible d'enregistrer les réglages " + entreGuillemets(chemin_), *e));
    modifie_ = false;
    return {};
}

bool CReglages::ajouterRecent(const std::string& chemin)
{
    if (chemin.empty() || (!recents_.empty() && recents_.front() == chemin))
        return false;
    recents_.erase(std::remove(recents_.begin(), recents_.end(), chemin), recents_.end());
    recents_.insert(recents_.begin(), chemin);
    if (recents_.size() > kNombreRecents)
        recents_.resize(kNombreRecents);
    modifie_ = true;
    return true;
}

bool CReglages::retirerRecent(const std::string& chemin)
{
    const auto fin = std::remove(recents_.begin(), recents_.end(), chemin);
    if (fin == recents_.end())
        return false;
    recents_.erase(fin, recents_.end());
    modifie_ = true;
    return true;
}
