#include "model/CFichier.h"

#include "model/CDossier.h"
#include "model/CRequete.h"
#include "platform/Chemins.h"

CFichier::CFichier(CDossier* parent, std::string chemin) : parent_(parent)
{
    definirChemin(std::move(chemin));
}

CFichier::CFichier(const CFichier& autre)
    : CElement(), COuvrable(), cree(autre.cree), modifie(autre.modifie), accede(autre.accede),
      taille(autre.taille), marque(autre.marque), parent_(autre.parent_), chemin_(autre.chemin_),
      debutNom_(autre.debutNom_)
{
    for (int i = 0; i < 5; ++i)
        lettres[i] = autre.lettres[i];
}

CFichier::~CFichier() = default;

void CFichier::definirChemin(std::string chemin)
{
    chemin_ = std::move(chemin);
    // The name is what follows the last separator: only '/' in a Linux path, '\' or
    // '/' in a path captured on Windows. Found here without building a string, since
    // every captured or loaded entry comes through.
    if (!chemin_.empty() && chemin_[0] == '/') {
        // Walked back from the end; the leading '/' stops the walk at the latest.
        const char* debut = chemin_.data();
        const char* p = debut + chemin_.size();
        while (p[-1] != '/')
            --p;
        debutNom_ = static_cast<std::uint32_t>(p - debut);
        return;
    }
    const std::size_t sep = chemin_.find_last_of("\\/");
    debutNom_ = sep == std::string::npos ? 0 : static_cast<std::uint32_t>(sep + 1);
}

bool CFichier::estALaPlaceAnnoncee() const
{
    return parent_ && memeDossier(dossierDuChemin(chemin_), parent_->chemin()) && parent_->estDansSaRequete();
}

std::string_view CFichier::dossierReel() const
{
    if (!parent_)
        return {};
    if (memeDossier(dossierDuChemin(chemin_), parent_->chemin()))
        return parent_->chemin();
    return dossierDuChemin(chemin_);
}

CRequete* CFichier::requete() const
{
    return parent_ ? parent_->requete() : nullptr;
}

