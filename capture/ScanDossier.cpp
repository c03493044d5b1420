#include "capture/ScanDossier.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "capture/ListageParallele.h"
#include "capture/RegleScan.h"
#include "model/Arene.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"

namespace {

// The walk on the calling thread alone, depth first: the reference the pool matches.
class CScan {
public:
    CScan(const CRequete& q, CSuiviCapture* suivi, SBilanCapture& bilan)
        : q_(q), regle_(q), rapport_(q, suivi), bilan_(bilan)
    {
    }

    // Lists the open folder into `racine`, whose arena takes every entry.
    EResultatScan scanner(CDossier& racine, CEnumeration& enumeration)
    {
        arene_ = &racine.arene();
        if (parcourir(racine, enumeration, 0))
            return EResultatScan::Termine;
        return bilan_.dossierEnErreur.empty() ? EResultatScan::Annule : EResultatScan::ErreurLecture;
    }

private:
    // Lists the open folder into `d`, then its sub-folders, depth first. False when
    // cancelled or stopped by a read error: the whole walk stops then, and the folders
    // it held open with it.
    bool parcourir(CDossier& d, CEnumeration& enumeration, int profondeur)
    {
        ++rapport_.etat().dossiers;
        if (!signaler(d))
            return false;
        cheminOuvert_.push_back(enumeration.identite());
        SEntreeDossier e;
        while (enumeration.suivante(e)) {
            switch (genreEntree(e, q_, profondeur)) {
            case EGenreEntree::Ignoree:
                break;
            case EGenreEntree::TropProfond:
                ++bilan_.dossiersTropProfonds;
                break;
            case EGenreEntree::SousDossier: {
                std::unique_ptr<CDossier> s(regle_.nouveauSousDossier(e));
                int erreur = 0;
                std::unique_ptr<CEnumeration> sous = enumeration.ouvrirSousDossier(e, &erreur);
                if (!sous && erreurDuSupport(erreur, enumeration.identite()))
                    return echouer(s->chemin(), erreur);
                if (sous && aParcourir(*sous) && !parcourir(*s, *sous, profondeur + 1))
                    return false;
                regle_.classerSousDossier(d, s.release());
                break;
            }
            case EGenreEntree::Fichier:
                rapport_.etat().fichiers += regle_.classerFichier(*arene_, d, e);
                // The user may cancel in the middle of a folder of many files.
                if (++compteur_ % 1024 == 0 && !signaler(d))
                    return false;
                break;
            }
        }
        if (erreurDuSupport(enumeration.erreur(), enumeration.identite()))
            return echouer(d.chemin(), enumeration.erreur());
        cheminOuvert_.pop_back();
        return true;
    }

    bool echouer(const std::string& dossier, int erreur)
    {
        bilan_.dossierEnErreur = dossier;
        bilan_.erreur = erreur;
        return false;
    }

    bool signaler(const CDossier& d)
    {
        return rapport_.signaler([&](std::string& courant) { courant = d.chemin(); });
    }

    bool aParcourir(const CEnumeration& sous) const
    {
        return dossierAParcourir(sous.identite(), cheminOuvert_.back(), [this](auto&& trouve) {
            return std::any_of(cheminOuvert_.rbegin(), cheminOuvert_.rend(), trouve);
        });
    }

    const CRequete& q_;
    const CRegleCapture regle_;
    CRapportCapture rapport_;
    SBilanCapture& bilan_;
    CArene* arene_ = nullptr;
    std::uint32_t compteur_ = 0;
    std::vector<SIdentiteDossier> cheminOuvert_;  // the chosen folder, then each one entered below it
};

// The walk on a pool: the pool lists the folders, builds their nodes and files them;
// this reports the progress meanwhile.
bool scannerEnParallele(CListageParallele& listage, const CRequete& q, CDossier& racine, CSuiviCapture* suivi)
{
    CRapportCapture rapport(q, suivi);
    // The watcher hears of the chosen folder first, as the walk starts there, and may
    // cancel then and at each report while the pool works.
    if (!rapport.signaler([&](std::string& courant) { courant = racine.chemin(); }))
        return false;
    if (!rapport.suivi()) {
        listage.attendre();
    } else {
        while (!listage.attendre(std::chrono::milliseconds(20))) {
            rapport.patienter();
            if (!rapport.signaler([&](std::string&) { listage.progression(rapport.etat()); }))
                return false;
        }
    }
    return true;
}

int filsDuScan(const CDossier& dossier, int fils)
{
    if (fils <= 0)
        fils = plateforme().filsCapture(dossier.chemin());
    return std::clamp(fils, 1, kFilsCaptureMax);
}

} // namespace

EResultatScan scannerDossier(CDossier& dossier, const CRequete& requete, CSuiviCapture* suivi, int fils,
                             SBilanCapture* bilan)
{
    SBilanCapture ignore;
    SBilanCapture& b = bilan ? *bilan : ignore;
    b = SBilanCapture();
    dossier.vider();
    // The chosen folder by its path; everything below it from its parent's open
    // folder, so that no path is ever too long to open.
    if (fils == 1) {
        std::unique_ptr<CEnumeration> racine = plateforme().enumerer(dossier.chemin());
        if (!racine)
            return EResultatScan::DossierIllisible;
        CScan scan(requete, suivi, b);
        return scan.scanner(dossier, *racine);
    }
    // Asked for no count, the capture always lists on other threads, the chosen folder
    // included: the window program's interface thread only reports the progress, and
    // never waits on a slow disk but between reports.
    CListageParallele listage(requete, dossier, filsDuScan(dossier, fils));
    if (!scannerEnParallele(listage, requete, dossier, suivi))
        return EResultatScan::Annule;
    listage.bilan(b);
    if (listage.echec())
        return EResultatScan::ErreurLecture;
    return listage.racineIllisible() ? EResultatScan::DossierIllisible : EResultatScan::Termine;
}
