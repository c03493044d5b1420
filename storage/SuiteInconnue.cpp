#include "storage/SuiteInconnue.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/IdentiteFichier.h"
#include "platform/RaisonSysteme.h"
#include "storage/CSortie.h"
#include "storage/Descripteur.h"

struct CSuiteInconnue::SFichier {
    int fd = -1;
    SIdentiteFichier vu;  // as read, to tell a change by another program
    ~SFichier()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

void CSuiteInconnue::vider()
{
    octets_.clear();
    fichier_.reset();
    debut_ = taille_ = 0;
}

void CSuiteInconnue::garder(std::string octets)
{
    vider();
    octets_ = std::move(octets);
}

bool CSuiteInconnue::garderDansFichier(int fd, std::uint64_t debut, std::uint64_t taille)
{
    auto f = std::make_shared<SFichier>();
    f->fd = rouvrirEnLecture(fd);
    const auto vu = f->fd >= 0 ? identiteDescripteur(f->fd) : std::nullopt;
    if (!vu)
        return false;
    f->vu = *vu;
    vider();
    fichier_ = std::move(f);
    debut_ = debut;
    taille_ = taille;
    return true;
}

bool CSuiteInconnue::envoyer(CSortie& sortie, std::string& probleme) const
{
    if (!fichier_)
        return sortie.ecrire(octets_.data(), octets_.size());
    const auto maintenant = identiteDescripteur(fichier_->fd);
    if (!maintenant || *maintenant != fichier_->vu) {
        probleme = "les octets qui suivent son dernier classeur ont été changés par un autre programme depuis "
                   "son ouverture";
        return false;
    }
    if (const int erreur = sortie.copier(fichier_->fd, debut_, taille_)) {
        probleme = raisonSysteme(erreur);
        return false;
    }
    return true;
}

void CSuiteInconnue::apresEnregistrement(int fd)
{
    if (!fichier_ || fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || static_cast<std::uint64_t>(st.st_size) < taille_)
        return;
    garderDansFichier(fd, static_cast<std::uint64_t>(st.st_size) - taille_, taille_);
}

void CSuiteInconnue::apresRetablissement(const std::string& chemin)
{
    const auto cible = identiteFichier(chemin);
    if (!fichier_ || !cible || !cible->memeFichier(fichier_->vu))
        return;
    if (const auto maintenant = identiteDescripteur(fichier_->fd))
        fichier_->vu = *maintenant;
}
