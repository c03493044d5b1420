#include "search/Doublons.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/CCriteres.h"
#include "model/HachageValeurs.h"
#include "model/Pouls.h"

namespace {

// Which values take part in the comparison of one file.
struct SCles {
    bool nom, cree, modifie, accede, taille;
};

SCles clesPour(const CFichier& f, const CCriteres& c)
{
    const CRequete* q = f.requete();
    const bool tout = q == nullptr;
    return {c.memeNom != 0,
            c.memeCreation != 0 && (tout || q->stockerCree),
            c.memeModification != 0 && (tout || q->stockerModifie),
            c.memeAcces != 0 && (tout || q->stockerAccede),
            c.memeTaille != 0 && (tout || q->stockerTaille)};
}

std::uint64_t hacher(const CFichier& f, const SCles& k)
{
    std::uint64_t h = 0;
    if (k.nom)
        h = enchainer(h, std::hash<std::string_view>{}(f.nom()));
    if (k.cree)
        h = enchainerDateHeure(h, f.cree());
    if (k.modifie)
        h = enchainerDateHeure(h, f.modifie());
    if (k.accede)
        h = enchainerDate(h, f.accede());
    if (k.taille)
        h = enchainer(h, f.taille);
    return h;
}

// Twins on the values both files compare (the switches of one query are the same
// for every file of a collection list, which never spans two queries).
bool jumeaux(const CFichier& a, const CFichier& b, const SCles& k)
{
    return (!k.nom || a.nom() == b.nom()) && (!k.cree || a.cree() == b.cree()) &&
           (!k.modifie || a.modifie() == b.modifie()) && (!k.accede || a.accede() == b.accede()) &&
           (!k.taille || a.taille == b.taille);
}

struct SCandidat {
    std::uint64_t hachage;
    CFichier* fichier;
};

// Removes and destroys the files of `d` and its sub-folders whose mark is 0.
void supprimerSansJumeau(CDossier& d)
{
    d.fichiers().retirerSi([](CFichier* f) {
        if (f->marque != 0)
            return false;
        delete f;
        return true;
    });
    for (CDossier* s : d.sousDossiers())
        supprimerSansJumeau(*s);
}

// True when `d` ends up with neither files nor sub-folders and may go.
bool elaguer(CDossier& d, const CDossier* racine)
{
    if (!d.fichiers().estVide())
        return false;
    d.sousDossiers().retirerSi([racine](CDossier* s) {
        if (!elaguer(*s, racine))
            return false;
        delete s;
        return true;
    });
    return d.sousDossiers().estVide() && &d != racine;
}

} // namespace

void passeDoublons(const std::vector<CFichier*>& liste, const CCriteres& c, SAvancement* avancement)
{
    const bool tous = c.portee == kPorteeFiltreCapture;
    std::vector<SCandidat> candidats;
    candidats.reserve(liste.size());
    for (CFichier* f : liste)
        if (tous || f->marque != 0)
            candidats.push_back({0, f});
    if (candidats.empty())
        return;
    const SCles cles = clesPour(*candidats.front().fichier, c);
    CPouls pouls(avancement);
    for (SCandidat& k : candidats) {
        k.hachage = hacher(*k.fichier, cles);
        pouls();
    }
    std::sort(candidats.begin(), candidats.end(),
              [](const SCandidat& a, const SCandidat& b) { return a.hachage < b.hachage; });

    // Within a run of equal hashes, a file has a twin when another file of the run is
    // really equal to it; every verdict is taken before any mark changes.
    std::vector<char> aJumeau(candidats.size(), 0);
    for (std::size_t debut = 0; debut < candidats.size();) {
        std::size_t fin = debut + 1;
        while (fin < candidats.size() && candidats[fin].hachage == candidats[debut].hachage)
            ++fin;
        for (std::size_t i = debut; i < fin; ++i) {
            pouls();
            if (aJumeau[i])
                continue;
            for (std::size_t j = debut; j < fin; ++j) {
                if (j != i && jumeaux(*candidats[i].fichier, *candidats[j].fichier, cles)) {
                    aJumeau[i] = aJumeau[j] = 1;
                    break;
                }
            }
        }
        debut = fin;
    }
    for (std::size_t i = 0; i < candidats.size(); ++i)
        candidats[i].fichier->marque = aJumeau[i];
}

void filtrerCapture(CDossier& d, const CCriteres& c)
{
    if (c.doublons == 0)
        return;
    CRequete* q = d.requete();
    if (q)
        q->instantaneChange();
    supprimerSansJumeau(d);
    if (q && !q->inclureDossiersVides)
        elaguer(d, q);
}
