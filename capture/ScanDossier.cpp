#include "capture/ScanDossier.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "capture/ListageParallele.h"
#include "capture/RegleScan.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"

namespace {

// The walk on the calling thread alone, depth first: the reference the pool matches.
class CScan : public CConstructionScan {
public:
    using CConstructionScan::CConstructionScan;

    // Lists the open folder into `racine`. False when cancelled.
    bool scanner(CDossier& racine, CEnumeration& enumeration) { return parcourir(racine, enumeration, 0); }

private:
    // Lists the open folder into `d`, then its sub-folders, depth first. False when
    // cancelled: the whole walk stops then, and the folders it held open with it.
    bool parcourir(CDossier& d, CEnumeration& enumeration, int profondeur)
    {
        if (!entrer(d))
            return false;
        cheminOuvert_.push_back(enumeration.identite());
        SEntreeDossier e;
        while (enumeration.suivante(e)) {
            switch (genreEntree(e, q_, profondeur)) {
            case EGenreEntree::Ignoree:
                break;
            case EGenreEntree::SousDossier: {
                CDossier* s = nouveauSousDossier(e);
                std::unique_ptr<CEnumeration> sous = enumeration.ouvrirSousDossier(e);
                if (sous && aParcourir(*sous) && !parcourir(*s, *sous, profondeur + 1)) {
                    delete s;
                    return false;
                }
                classerSousDossier(d, s);
                break;
            }
            case EGenreEntree::Fichier:
                if (!ajouterFichier(d, e))
                    return false;
                break;
            }
        }
        cheminOuvert_.pop_back();
        return true;
    }

    bool aParcourir(const CEnumeration& sous) const
    {
        return dossierAParcourir(sous.identite(), cheminOuvert_.back(), [this](auto&& trouve) {
            return std::any_of(cheminOuvert_.rbegin(), cheminOuvert_.rend(), trouve);
        });
    }

    std::vector<SIdentiteDossier> cheminOuvert_;  // the chosen folder, then each one entered below it
};

// The walk on a pool: the pool lists the folders, this builds the nodes in depth-first
// order on the calling thread, from each folder's listing as it comes.
class CScanParallele : public CConstructionScan {
public:
    CScanParallele(const CRequete& q, CSuiviCapture* suivi, CListageParallele& listage)
        : CConstructionScan(q, suivi), listage_(listage)
    {
    }

    bool scanner(CDossier& racine) { return construire(racine, listage_.racine()); }

private:
    bool construire(CDossier& d, const std::shared_ptr<SDossierLu>& lu)
    {
        // The watcher is told while the pool is late, so that it may cancel.
        while (!listage_.attendre(*lu, std::chrono::milliseconds(20))) {
            patienter();
            if (!signaler(d))
                return false;
        }
        if (lu->etat == SDossierLu::EEtat::NonParcouru)
            return true;
        if (!entrer(d))
            return false;
        std::size_t k = 0;
        for (SEntreeDossier& e : lu->entrees) {
            if ((e.attributs & kAttrDossier) == 0) {
                if (!ajouterFichier(d, e))
                    return false;
                continue;
            }
            std::unique_ptr<CDossier> s(nouveauSousDossier(e));
            // Dropped once built: the pool's listings go as the snapshot grows.
            std::shared_ptr<SDossierLu> sous = std::move(lu->sousDossiers[k++]);
            if (!construire(*s, sous))
                return false;
            classerSousDossier(d, s.release());
        }
        return true;
    }

    CListageParallele& listage_;
};

int filsDuScan(const CDossier& dossier, int fils)
{
    if (fils <= 0)
        fils = plateforme().filsCapture(dossier.chemin());
    return std::clamp(fils, 1, kFilsCaptureMax);
}

} // namespace

EResultatScan scannerDossier(CDossier& dossier, const CRequete& requete, CSuiviCapture* suivi, int fils)
{
    dossier.vider();
    // The chosen folder by its path; everything below it from its parent's open
    // folder, so that no path is ever too long to open.
    if (fils == 1) {
        std::unique_ptr<CEnumeration> racine = plateforme().enumerer(dossier.chemin());
        if (!racine)
            return EResultatScan::DossierIllisible;
        CScan scan(requete, suivi);
        return scan.scanner(dossier, *racine) ? EResultatScan::Termine : EResultatScan::Annule;
    }
    // Asked for no count, the capture always lists on other threads, the chosen folder
    // included: the window program's interface thread only builds the nodes and
    // reports the progress, and never waits on a slow disk but between reports.
    CListageParallele listage(requete, dossier.chemin(), filsDuScan(dossier, fils));
    CScanParallele scan(requete, suivi, listage);
    if (!scan.scanner(dossier))
        return EResultatScan::Annule;
    return listage.racine()->etat == SDossierLu::EEtat::NonParcouru ? EResultatScan::DossierIllisible
                                                                    : EResultatScan::Termine;
}
