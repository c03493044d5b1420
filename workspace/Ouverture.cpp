#include "workspace/Ouverture.h"

#include "model/NumeroSerie.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "model/TexteCatalogue.h"
#include "platform/CPlateforme.h"
#include "platform/Chemins.h"
#include "platform/TexteAffichable.h"

#include <string_view>

std::string texteDemandeDisque(const CRequete& requete)
{
    // A disk without a label is named by the folder it was captured from; a serial of 0
    // is none (a folder of a disk that has none), so it is not asked for.
    std::string texte = requete.nomVolume.empty()
                            ? "Insérez le disque qui contient " + entreGuillemets(requete.chemin()) + "."
                            : "Insérez le disque '" + requete.nomVolume + "'.";
    if (requete.numeroSerie != 0)
        texte += "\nNuméro de série: " + texteNumeroSerie(requete.numeroSerie);
    return texte;
}

std::string texteEchecOuvreur(const std::string& chemin)
{
    return "Impossible d'ouvrir " + entreGuillemets(chemin) +
           " : aucun programme n'est associé à ce type de fichier, ou il a échoué.";
}

namespace {

// Only what a capture on this system records may reach the desktop's opener: a path
// from the root, one '/' at its start, no "." or ".." component, no NUL byte. A path
// made on Windows ("C:\x", "\\srv\share"), a URL, a relative path and anything else
// a crafted catalogue may hold are never handed over.
bool estCheminLocalAbsolu(std::string_view chemin)
{
    if (chemin.empty() || chemin[0] != '/' || chemin.substr(0, 2) == "//" ||
        chemin.find('\0') != std::string_view::npos)
        return false;
    std::size_t debut = 1;
    while (debut <= chemin.size()) {
        std::size_t fin = chemin.find('/', debut);
        if (fin == std::string_view::npos)
            fin = chemin.size();
        const std::string_view composant = chemin.substr(debut, fin - debut);
        if (composant == "." || composant == "..")
            return false;
        debut = fin + 1;
    }
    return true;
}

} // namespace

void ouvrirAvecDisque(CUtilisateur& utilisateur, const std::string& chemin, const CRequete& requete)
{
    CPlateforme& p = plateforme();
    const std::string demande = texteDemandeDisque(requete);
    const bool ouvrable = estCheminLocalAbsolu(chemin);
    // The opener may fail after it started: said then, the disk not asked for.
    const auto echec = [&utilisateur, chemin] { utilisateur.message(texteEchecOuvreur(chemin), EBoutons::Ok, EIcone::Erreur); };
    while (!ouvrable || !p.ouvrir(chemin, echec)) {
        // The file is there and still did not open: no disk would help.
        if (ouvrable && p.existe(chemin)) {
            utilisateur.message(texteEchecOuvreur(chemin), EBoutons::Ok, EIcone::Erreur);
            return;
        }
        // Ask until the disk in place is the recorded one, then try again. The right
        // disk with a path that no longer exists brings the question back: only
        // Cancel ends it.
        for (;;) {
            if (utilisateur.message(demande, EBoutons::OkAnnuler, EIcone::Exclamation) == EReponse::Annuler)
                return;
            const auto volume = p.infoVolume(p.racine(chemin));
            const std::string nom = volume ? volume->nom : std::string();
            const std::uint32_t serie = volume ? volume->numeroSerie : 0;
            if (etiquetteCatalogue(nom) == etiquetteCatalogue(requete.nomVolume) && serie == requete.numeroSerie)
                break;
        }
    }
}

bool confirmerCheminReel(CUtilisateur& utilisateur, const std::string& nom, const std::string& dossierAnnonce, const std::string& cheminReel)
{
    const std::string texte = "Le catalogue range " + entreGuillemets(nom) + " dans " + entreGuillemets(dossierAnnonce) +
                              ", mais son chemin réel est " + entreGuillemets(cheminReel) + ".\nVoulez-vous ouvrir " +
                              entreGuillemets(cheminReel) + " ?";
    return utilisateur.message(texte, EBoutons::OkAnnuler, EIcone::Exclamation) == EReponse::Ok;
}

void ouvrir(CUtilisateur& utilisateur, CElement& noeud)
{
    CRequete* q = noeud.requete();
    if (!q)
        return;
    if (CFichier* f = noeud.commeFichier()) {
        if (!f->estALaPlaceAnnoncee()) {
            // Where the tree shows it: its folder, or the query when that folder is astray too.
            const CDossier& parent = *f->parent();
            const std::string& annonce = parent.estDansSaRequete() ? parent.chemin() : q->chemin();
            if (!confirmerCheminReel(utilisateur, std::string(f->nom()), annonce, f->chemin()))
                return;
        }
        ouvrirAvecDisque(utilisateur, f->chemin(), *q);
        return;
    }
    const CDossier* d = noeud.commeDossier();
    if (!d)
        return;
    if (!d->estDansSaRequete() && !confirmerCheminReel(utilisateur, dernierComposant(d->chemin()), q->chemin(), d->chemin()))
        return;
    ouvrirAvecDisque(utilisateur, d->chemin(), *q);
}

void ouvrirDossierContenant(CUtilisateur& utilisateur, CElement& noeud)
{
    // A file's folder; for a folder or a query, the folder of the whole snapshot.
    if (CFichier* f = noeud.commeFichier()) {
        if (f->parent())
            ouvrir(utilisateur, *f->parent());
    } else if (CRequete* q = noeud.requete()) {
        ouvrir(utilisateur, static_cast<CDossier&>(*q));
    }
}
