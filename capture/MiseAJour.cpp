#include "capture/MiseAJour.h"

#include "model/NumeroSerie.h"
#include "capture/ScanDossier.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/TexteCatalogue.h"
#include "platform/CPlateforme.h"

namespace {

// A removable disk that is not mounted leaves its mount point behind, an empty folder
// of the volume beneath it: an update there would swap the snapshot for nothing and the
// disk's identity for that volume's.
bool disqueAbsent(const CRequete& q, const std::optional<SVolume>& volume, const CDossier& nouveau)
{
    const bool identiteConnue = !q.nomVolume.empty() || q.numeroSerie != 0;
    const bool memeVolume =
        volume && etiquetteCatalogue(volume->nom) == etiquetteCatalogue(q.nomVolume) && volume->numeroSerie == q.numeroSerie;
    return identiteConnue && !memeVolume && nouveau.fichiers().estVide() && nouveau.sousDossiers().estVide();
}

} // namespace

std::string texteDisqueAbsent(const CRequete& q)
{
    return "Le disque « " + q.nomVolume + " » (numéro de série " + texteNumeroSerie(q.numeroSerie) +
           ") n'est pas présent : la requête « " + q.nom() + " » n'a pas été mise à jour.";
}

EResultatMiseAJour mettreAJourRequete(CRequete& q, CSuiviCapture* suivi, int fils)
{
    CPlateforme& p = plateforme();
    const auto volume = p.infoVolume(p.racine(q.chemin()));

    // The scan fills a detached folder, so that a root that cannot be read or a
    // cancelled capture leaves the previous snapshot untouched.
    CDossier nouveau(&q, q.chemin(), false);
    const EResultatScan resultat = scannerDossier(nouveau, q, suivi, fils);
    if (resultat == EResultatScan::Annule)
        return EResultatMiseAJour::Annulee;

    // Every update leaves the document modified, whatever it found.
    if (CDoc* doc = q.document())
        doc->definirModifie();
    if (resultat == EResultatScan::DossierIllisible)
        return EResultatMiseAJour::RacineIllisible;
    if (disqueAbsent(q, volume, nouveau))
        return EResultatMiseAJour::DisqueAbsent;

    // The capture filter: only twins stay when the advanced criteria ask for them.
    // Everything that may fail for want of memory is done before the snapshot is
    // replaced, so that such a failure leaves the previous one.
    nouveau.executerCriteres(q.criteres, nullptr);
    std::string nomVolume = volume ? etiquetteCatalogue(volume->nom) : std::string();  // as the file will keep it

    q.vider();
    q.fichiers() = std::move(nouveau.fichiers());
    q.sousDossiers() = std::move(nouveau.sousDossiers());
    for (CFichier* f : q.fichiers())
        f->definirParent(&q);
    q.nomVolume = std::move(nomVolume);
    q.numeroSerie = volume ? volume->numeroSerie : 0;
    return EResultatMiseAJour::Capturee;
}
