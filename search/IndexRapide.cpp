#include "search/IndexRapide.h"

#include <string_view>

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/MotifChemin.h"

CIndexRapide::CIndexRapide(CRequete& requete)
{
    ajouter(requete);
    debutNoms_.push_back(static_cast<std::uint32_t>(noms_.size()));
}

void CIndexRapide::ajouter(CDossier& dossier)
{
    const auto numero = static_cast<std::uint32_t>(dossiers_.size());
    dossiers_.push_back(plierPourRecherche(dossier.chemin()));
    for (CFichier* f : dossier.fichiers()) {
        debutNoms_.push_back(static_cast<std::uint32_t>(noms_.size()));
        noms_ += plierPourRecherche(f->nom());
        dossierDe_.push_back(numero);
        fichiers_.push_back(f);
    }
    for (CDossier* s : dossier.sousDossiers())
        ajouter(*s);
}

std::vector<CFichier*> CIndexRapide::chercher(const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret) const
{
    std::vector<CFichier*> trouves;
    if (mots.empty())
        return trouves;
    // Which words each folder's path holds already: a word without '/' lies in the
    // folder's path or in the name, never across them.
    std::vector<std::uint64_t> dansDossier(dossiers_.size(), 0);
    const std::size_t nombre = std::min<std::size_t>(mots.size(), 64);
    for (std::size_t d = 0; d < dossiers_.size(); ++d)
        for (std::size_t m = 0; m < nombre; ++m)
            if (!mots[m].motif && dossiers_[d].find(mots[m].texte) != std::string::npos)
                dansDossier[d] |= std::uint64_t{1} << m;
    const std::string_view noms(noms_);
    std::string chemin;
    for (std::size_t i = 0; i < fichiers_.size(); ++i) {
        if ((i & 0xFFFF) == 0 && arret.load(std::memory_order_relaxed))
            break;
        const std::string_view nom = noms.substr(debutNoms_[i], debutNoms_[i + 1] - debutNoms_[i]);
        const std::uint32_t d = dossierDe_[i];
        bool tous = true;
        for (std::size_t m = 0; m < mots.size() && tous; ++m) {
            const SMotRapide& mot = mots[m];
            if (mot.motif) {
                tous = correspondMotif(fichiers_[i]->nom(), mot.texte);
            } else if (m < 64 && (dansDossier[d] >> m & 1) != 0) {
                continue;
            } else if (nom.find(mot.texte) != std::string_view::npos) {
                continue;
            } else if (mot.texte.find('/') != std::string::npos || m >= 64) {
                chemin.assign(dossiers_[d]).append(1, '/').append(nom);
                tous = chemin.find(mot.texte) != std::string::npos;
            } else {
                tous = false;
            }
        }
        if (tous)
            trouves.push_back(fichiers_[i]);
    }
    return trouves;
}

std::size_t CIndexRapide::octets() const
{
    std::size_t n = noms_.capacity() + debutNoms_.capacity() * 4 + dossierDe_.capacity() * 4 +
                    fichiers_.capacity() * sizeof(CFichier*) + dossiers_.capacity() * sizeof(std::string);
    for (const std::string& d : dossiers_)
        n += d.capacity();
    return n;
}
