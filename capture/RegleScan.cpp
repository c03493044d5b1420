#include "capture/RegleScan.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <string>
#include <utility>

#include "model/Arene.h"
#include "model/Attributs.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/CriteresFichier.h"
#include "model/Limites.h"
#include "platform/Chemins.h"
#include "platform/MotifChemin.h"

EGenreEntree genreEntree(const SEntreeDossier& e, const CRequete& q, int profondeur)
{
    const std::string_view nom = std::string_view(e.chemin).substr(debutDuNom(e.chemin));
    if (nom == "." || nom == "..")
        return EGenreEntree::Ignoree;
    if ((e.attributs & kAttrCache) != 0 && !q.inclureCaches)
        return EGenreEntree::Ignoree;
    if ((e.attributs & kAttrDossier) == 0)
        return EGenreEntree::Fichier;
    // Deeper than a catalogue can hold, folders are left out: a snapshot that kept them
    // could not be read back.
    if (!q.inclureSousDossiers)
        return EGenreEntree::Ignoree;
    return niveauDossierPermis(profondeur + 1) ? EGenreEntree::SousDossier : EGenreEntree::TropProfond;
}

bool erreurDuSupport(int erreur, const SIdentiteDossier& dossier)
{
    switch (erreur) {
    case 0:
    case EACCES:
    case EPERM:
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
        return false;
    default:
        return !dossier.systemeNoyau;
    }
}

CRegleCapture::CRegleCapture(const CRequete& q)
    : q_(q),
      // A filter without any spec filters nothing, whatever its mode: as an exclusion
      // it would match every path and leave the query empty.
      filtre_((q.modeFiltre == kFiltreInclure || q.modeFiltre == kFiltreExclure) && !motifSansSpec(q.filtre)
                  ? q.modeFiltre
                  : kFiltreAucun)
{
}

bool CRegleCapture::classerFichier(CArene& arene, CDossier& d, const SEntreeDossier& e) const
{
    if (filtre_ != kFiltreAucun && correspondMotif(e.chemin, q_.filtre) != (filtre_ == kFiltreInclure))
        return false;
    CFichier& f = *CFichier::creer(arene, &d, e.chemin);
    if (q_.stockerTaille)
        f.taille = static_cast<std::uint32_t>(e.taille);
    if (q_.stockerCree)
        f.definirCree(dateHeureDepuisTempsFichier(e.creation));
    if (q_.stockerModifie)
        f.definirModifie(dateHeureDepuisTempsFichier(e.ecriture));
    if (q_.stockerAccede)
        f.definirAccede(dateDepuisTempsFichier(e.acces));
    if (q_.stockerAttributs)
        lettresDepuisMasque(e.attributs, f.lettres);
    if (!testerFichier(f, q_.criteres, q_)) {
        CFichier::abandonner(arene, &f);
        return false;
    }
    try {
        d.fichiers().ajouter(&f);
    } catch (...) {
        CFichier::abandonner(arene, &f);
        throw;
    }
    return true;
}

CDossier* CRegleCapture::nouveauSousDossier(const SEntreeDossier& e) const
{
    return new CDossier(const_cast<CRequete*>(&q_), e.chemin, (e.attributs & kAttrCache) != 0);
}

bool CRegleCapture::aGarder(const CDossier& s) const
{
    return q_.inclureDossiersVides || !s.fichiers().estVide() || !s.sousDossiers().estVide();
}

void CRegleCapture::classerSousDossier(CDossier& d, CDossier* s) const
{
    if (aGarder(*s))
        d.sousDossiers().ajouter(s);
    else
        delete s;
}

CRapportCapture::CRapportCapture(const CRequete& q, CSuiviCapture* suivi) : suivi_(suivi)
{
    etat_.requete = q.nom();
}

void CRapportCapture::patienter()
{
    if (suivi_)
        suivi_->patienter();
}
