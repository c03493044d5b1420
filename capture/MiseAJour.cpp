#include "capture/MiseAJour.h"

#include "capture/ScanDossier.h"
#include "search/Recherche.h"
#include "model/Arene.h"
#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/Limites.h"
#include "model/NumeroSerie.h"
#include "model/TexteCatalogue.h"
#include "platform/CPlateforme.h"
#include "platform/RaisonSysteme.h"
#include "platform/TexteAffichable.h"

namespace {

bool identiteConnue(const CRequete& q) { return !q.nomVolume.empty() || q.numeroSerie != 0; }

// Whether the folder holds nothing but "." and "..", whatever a query would keep of it.
bool dossierSansEntree(const std::string& chemin)
{
    std::unique_ptr<CEnumeration> dossier = plateforme().enumerer(chemin);
    if (!dossier)
        return false;
    SEntreeDossier e;
    while (dossier->suivante(e)) {
        const std::string nom = plateforme().dernierComposant(e.chemin);
        if (nom != "." && nom != "..")
            return false;
    }
    return true;
}

// A removable disk that is not mounted leaves its mount point behind, an empty folder
// of the volume beneath it: an update there would swap the snapshot for nothing and the
// disk's identity for that volume's. The volume read is another when its identity is
// not the one stored. A disk without label or serial (a FAT of serial 0, an ext4 made
// with a null UUID, a squashfs) stores none: the folder is then on another volume when
// that one has an identity, which a volume does not gain between two updates, and the
// folder holds no entry at all, as a mount point left behind (not one whose files the
// query's filter turns down); and only a snapshot that held something is kept, since a
// query never captured stores none too.
bool disqueAbsent(const CRequete& q, bool avaitContenu, const std::optional<SVolume>& volume, const CDossier& nouveau)
{
    const SVolume lu = volume.value_or(SVolume{});
    const bool memeVolume = etiquetteCatalogue(lu.nom) == etiquetteCatalogue(q.nomVolume) && lu.numeroSerie == q.numeroSerie;
    if (memeVolume || !nouveau.estVide())
        return false;
    return identiteConnue(q) || (avaitContenu && dossierSansEntree(q.chemin()));
}

// 10000 as "10 000".
std::string texteNombre(std::uint64_t n)
{
    std::string chiffres = std::to_string(n);
    for (std::size_t i = chiffres.size(); i > 3; i -= 3)
        chiffres.insert(i - 3, " ");
    return chiffres;
}

} // namespace

std::string texteDisqueAbsent(const CRequete& q)
{
    const std::string disque = identiteConnue(q) ? "Le disque " + entreGuillemets(q.nomVolume) + " (numéro de série " +
                                                       texteNumeroSerie(q.numeroSerie) + ")"
                                                 : std::string("Le disque sans nom ni numéro de série");
    return disque + " n'est pas présent : la requête " + entreGuillemets(q.nom()) + " n'a pas été mise à jour.";
}

std::string texteMiseAJour(const CRequete& q, EResultatMiseAJour resultat, const SBilanCapture& bilan)
{
    switch (resultat) {
    case EResultatMiseAJour::DisqueAbsent:
        return texteDisqueAbsent(q);
    case EResultatMiseAJour::ErreurLecture:
        return "Le dossier " + entreGuillemets(bilan.dossierEnErreur) + " n'a pas pu être lu (" +
               raisonSysteme(bilan.erreur) + ") : la requête " + entreGuillemets(q.nom()) + " n'a pas été mise à jour.";
    case EResultatMiseAJour::Capturee: {
        const std::uint32_t n = bilan.dossiersTropProfonds;
        if (n == 0)
            return {};
        return "La requête " + entreGuillemets(q.nom()) + " a été mise à jour sans " + texteNombre(n) +
               (n == 1 ? " dossier situé" : " dossiers situés") + " à plus de " + texteNombre(kProfondeurMaxDossiers) +
               " niveaux sous son dossier, ni " + (n == 1 ? "son" : "leur") +
               " contenu : un catalogue ne peut pas garder de dossiers plus profonds.";
    }
    case EResultatMiseAJour::RacineIllisible:
        return "Le dossier " + entreGuillemets(q.chemin()) + " de la requête " + entreGuillemets(q.nom()) +
               " est illisible ; son contenu précédent est gardé.";
    case EResultatMiseAJour::Annulee:
        break;
    }
    return {};
}

SCaptureFaite capturerRequete(const CRequete& q, bool avaitContenu, CSuiviCapture* suivi, int fils)
{
    CPlateforme& p = plateforme();
    const auto volume = p.infoVolume(p.racine(q.chemin()));

    // The scan fills a detached folder, so that a root that cannot be read, a read error
    // below it or a cancelled capture leaves the previous snapshot untouched.
    SCaptureFaite faite;
    faite.instantane = std::make_unique<CDossier>(const_cast<CRequete*>(&q), q.chemin(), false);
    CDossier& nouveau = *faite.instantane;
    // An arena of its own: `q` may be the live query, whose arena holds the snapshot
    // this one replaces and goes with it.
    nouveau.partagerArene(std::make_shared<CArene>());
    const EResultatScan resultat = scannerDossier(nouveau, q, suivi, fils, &faite.bilan);
    switch (resultat) {
    case EResultatScan::Annule:
        faite.resultat = EResultatMiseAJour::Annulee;
        break;
    case EResultatScan::ErreurLecture:
        faite.resultat = EResultatMiseAJour::ErreurLecture;
        break;
    // A folder gone or a disk absent changes nothing: the document stays as it was.
    case EResultatScan::DossierIllisible:
        faite.resultat = EResultatMiseAJour::RacineIllisible;
        break;
    case EResultatScan::Termine:
        faite.resultat = disqueAbsent(q, avaitContenu, volume, nouveau) ? EResultatMiseAJour::DisqueAbsent
                                                                        : EResultatMiseAJour::Capturee;
        break;
    }
    if (faite.resultat != EResultatMiseAJour::Capturee) {
        faite.instantane.reset();
        return faite;
    }
    // The capture filter: only twins stay when the advanced criteria ask for them.
    // Everything that may fail for want of memory is done before the snapshot is
    // replaced, so that such a failure leaves the previous one.
    executerCriteres(nouveau, q.criteres, nullptr);
    faite.nomVolume = volume ? etiquetteCatalogue(volume->nom) : std::string();
    faite.numeroSerie = volume ? volume->numeroSerie : 0;
    return faite;
}

namespace {

// The folders of a snapshot made for another query (a copy of the parameters) belong
// to `requete` once in place.
void rattacher(CDossier& dossier, CRequete& requete)
{
    for (CDossier* s : dossier.sousDossiers()) {
        s->definirRequete(&requete);
        rattacher(*s, requete);
    }
}

} // namespace

EResultatMiseAJour placerCapture(CRequete& q, SCaptureFaite faite)
{
    if (faite.resultat != EResultatMiseAJour::Capturee || !faite.instantane)
        return faite.resultat;
    CDoc* doc = q.document();
    if (doc) {
        doc->definirModifie();
        doc->annoncer({EChangement::InstantaneVaPartir, static_cast<CDossier*>(&q)});
    }
    q.vider();
    q.instantaneChange();
    // The capture's entries stay where the capture made them: the query keeps that arena.
    q.partagerArene(faite.instantane->areneCommune());
    q.fichiers() = std::move(faite.instantane->fichiers());
    q.sousDossiers() = std::move(faite.instantane->sousDossiers());
    for (CFichier* f : q.fichiers())
        f->definirParent(&q);
    if (faite.instantane->requete() != &q)
        rattacher(q, q);
    q.nomVolume = std::move(faite.nomVolume);
    q.numeroSerie = faite.numeroSerie;
    if (doc)
        doc->annoncer({EChangement::InstantaneRemplace, static_cast<CDossier*>(&q)});
    return EResultatMiseAJour::Capturee;
}

EResultatMiseAJour mettreAJourRequete(CRequete& q, CSuiviCapture* suivi, int fils, SBilanCapture* bilan)
{
    SCaptureFaite faite = capturerRequete(q, !q.estVide(), suivi, fils);
    if (bilan)
        *bilan = faite.bilan;
    return placerCapture(q, std::move(faite));
}
