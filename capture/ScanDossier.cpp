#include "capture/ScanDossier.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "model/Attributs.h"
#include "capture/CSuiviCapture.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/Limites.h"
#include "platform/CPlateforme.h"
#include "platform/MotifChemin.h"
#include "model/CriteresFichier.h"

namespace {

class CScan {
public:
    CScan(const CRequete& q, CSuiviCapture* suivi)
        : q_(q), p_(plateforme()), suivi_(suivi),
          // A filter without any spec filters nothing, whatever its mode: as an
          // exclusion it would match every path and leave the query empty.
          filtre_((q.modeFiltre == kFiltreInclure || q.modeFiltre == kFiltreExclure) && !motifSansSpec(q.filtre)
                      ? q.modeFiltre
                      : kFiltreAucun)
    {
        etat_.requete = q.nom();
    }

    // False when cancelled.
    bool scanner(CDossier& racine, bool& racineLisible)
    {
        racine.vider();
        // The chosen folder by its path; everything below it from its parent's open
        // folder, so that no path is ever too long to open.
        auto enumeration = p_.enumerer(racine.chemin());
        if (!enumeration) {
            racineLisible = false;
            return true;
        }
        return parcourir(racine, *enumeration, 0);
    }

private:
    // Lists the open folder into `d`, then its sub-folders, depth first. False when
    // cancelled: the whole walk stops then, and the folders it held open with it.
    bool parcourir(CDossier& d, CEnumeration& enumeration, int profondeur)
    {
        ++etat_.dossiers;
        if (!signaler(d))
            return false;
        cheminOuvert_.push_back(enumeration.identite());
        SEntreeDossier e;
        while (enumeration.suivante(e)) {
            const std::size_t sep = e.chemin.find_last_of(separateurs(e.chemin));
            const std::string_view nom =
                sep == std::string::npos ? std::string_view(e.chemin) : std::string_view(e.chemin).substr(sep + 1);
            if (nom == "." || nom == "..")
                continue;
            const bool cache = (e.attributs & kAttrCache) != 0;
            if (cache && !q_.inclureCaches)
                continue;
            if (e.attributs & kAttrDossier) {
                // Deeper than a catalogue can hold, folders are left out: a snapshot
                // that kept them could not be read back.
                if (!q_.inclureSousDossiers || !niveauDossierPermis(profondeur + 1))
                    continue;
                auto* s = new CDossier(const_cast<CRequete*>(&q_), e.chemin, cache);
                std::unique_ptr<CEnumeration> sous = enumeration.ouvrirSousDossier(e);
                if (sous && aParcourir(*sous) && !parcourir(*s, *sous, profondeur + 1)) {
                    delete s;
                    return false;
                }
                if (q_.inclureDossiersVides || !s->fichiers().estVide() || !s->sousDossiers().estVide())
                    d.sousDossiers().ajouter(s);
                else
                    delete s;
                continue;
            }
            ajouterFichier(d, e);
            if (++compteur_ % 1024 == 0 && !signaler(d))
                return false;
        }
        cheminOuvert_.pop_back();
        return true;
    }

    // A sub-folder that is one of the folders open above it (reached again through a
    // bind mount) would be walked for ever; a kernel pseudo-file system mounted below
    // the chosen folder holds no files. Either is kept like an unreadable folder: an
    // empty node, under the empty-folder rule. Inside a pseudo-file system the user
    // chose as the folder to list, its own folders are walked.
    bool aParcourir(const CEnumeration& sous) const
    {
        const SIdentiteDossier identite = sous.identite();
        for (const SIdentiteDossier& ouvert : cheminOuvert_)
            if (ouvert.memeDossier(identite))
                return false;
        return !identite.systemeNoyau || identite.peripherique == cheminOuvert_.back().peripherique;
    }

    static const char* separateurs(const std::string& chemin)
    {
        return !chemin.empty() && chemin[0] == '/' ? "/" : "\\/";
    }

    void ajouterFichier(CDossier& d, const SEntreeDossier& e)
    {
        if (filtre_ != kFiltreAucun && correspondMotif(e.chemin, q_.filtre) != (filtre_ == kFiltreInclure))
            return;
        auto* f = new CFichier(&d, e.chemin);
        if (q_.stockerTaille)
            f->taille = static_cast<std::uint32_t>(e.taille);
        if (q_.stockerCree)
            f->cree = dateHeureDepuisTempsFichier(e.creation);
        if (q_.stockerModifie)
            f->modifie = dateHeureDepuisTempsFichier(e.ecriture);
        if (q_.stockerAccede)
            f->accede = dateDepuisTempsFichier(e.acces);
        if (q_.stockerAttributs)
            lettresDepuisMasque(e.attributs, f->lettres);
        if (testerFichier(*f, q_.criteres, q_)) {
            d.fichiers().ajouter(f);
            ++etat_.fichiers;
        } else {
            delete f;
        }
    }

    // Tells the watcher where we are, at most about ten times a second.
    bool signaler(const CDossier& d)
    {
        if (!suivi_)
            return true;
        const auto maintenant = std::chrono::steady_clock::now();
        if (maintenant - dernier_ < std::chrono::milliseconds(100))
            return true;
        dernier_ = maintenant;
        etat_.dossierCourant = d.chemin();
        return suivi_->progression(etat_);
    }

    const CRequete& q_;
    CPlateforme& p_;
    CSuiviCapture* suivi_;
    const std::int32_t filtre_;  // the filter mode the capture applies
    SProgressionCapture etat_;
    std::vector<SIdentiteDossier> cheminOuvert_;  // the chosen folder, then each one entered below it
    std::uint32_t compteur_ = 0;
    std::chrono::steady_clock::time_point dernier_{};
};

} // namespace

static int filsDuScan(const CDossier& dossier, int fils)
{
    if (fils <= 0)
        fils = plateforme().filsCapture(dossier.chemin());
    return std::clamp(fils, 1, kFilsCaptureMax);
}

EResultatScan scannerDossier(CDossier& dossier, const CRequete& requete, CSuiviCapture* suivi, int fils)
{
    (void)filsDuScan(dossier, fils);
    CScan scan(requete, suivi);
    bool racineLisible = true;
    if (!scan.scanner(dossier, racineLisible))
        return EResultatScan::Annule;
    return racineLisible ? EResultatScan::Termine : EResultatScan::DossierIllisible;
}
