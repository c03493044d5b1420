#include "storage/FichierCatalogue.h"

#include <unistd.h>

#include <cerrno>
#include <functional>
#include <new>

#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "platform/IdentiteFichier.h"
#include "platform/TexteAffichable.h"
#include "storage/CArchive.h"
#include "storage/CSortie.h"
#include "storage/Descripteur.h"
#include "storage/EcritureSure.h"
#include "storage/FichierOrdinaire.h"
#include "storage/SerialisationNoeuds.h"
#include "storage/SuiteInconnue.h"

namespace {

class CEntreeFichier : public CEntree {
public:
    CEntreeFichier(int fd, const SAppelsEcriture& appels) : fd_(fd), appels_(appels) {}
    long lire(char* o, std::size_t n) override
    {
        for (;;) {
            const ssize_t lus = appels_.lire(fd_, o, n);
            if (lus < 0 && errno == EINTR)
                continue;
            return static_cast<long>(lus);
        }
    }
    int descripteur() const override { return fd_; }

private:
    int fd_;
    const SAppelsEcriture& appels_;
};

// Reads the records from `ar` into `doc`, or says what is wrong.
CResultat<> lireDepuis(CDoc& doc, CArchive& ar)
{
    try {
        serialiserDocument(ar, doc);
    } catch (const CErreurLecture& e) {
        return echec(std::string(e.what()) + " (à l'octet " + std::to_string(e.position) + ")");
    } catch (const std::bad_alloc&) {
        return echec("la mémoire est insuffisante");
    }
    return {};
}

CResultat<> lireDescripteur(CDoc& doc, int fd, const SAppelsEcriture& appels,
                            std::vector<std::uint64_t>* debutsFichiers = nullptr)
{
    const auto identite = identiteDescripteur(fd);
    if (!identite)
        return echec(raisonSysteme(errno));
    CEntreeFichier entree(fd, appels);
    CArchive ar(entree, static_cast<std::uint64_t>(identite->taille));
    ar.debutsFichiers = debutsFichiers;
    auto lu = lireDepuis(doc, ar);
    if (lu)
        doc.identiteSurDisque = identite;
    return lu;
}

CResultat<> lireFichier(CDoc& doc, const std::string& chemin, const SAppelsEcriture& appels)
{
    const SOuvertureLecture ouvert = ouvrirFichierOrdinaire(chemin);
    if (ouvert.probleme)
        return echec(*ouvert.probleme);
    SDescripteur f{ouvert.fd};
    return lireDescripteur(doc, f.fd, appels);
}

CResultat<> terminerChargement(CDoc& doc, const std::string& chemin, const CResultat<>& lu)
{
    if (!lu) {
        std::string message = "Impossible d'ouvrir le catalogue " + entreGuillemets(chemin) + " : " + lu.raison() + ".";
        // A save that rewrote it in place and did not finish left its old content there.
        for (const std::string& sauvegarde : sauvegardesDe(chemin))
            message += " Une copie de son contenu d'avant un enregistrement interrompu se trouve dans " +
                       entreGuillemets(sauvegarde) + ".";
        return echec(std::move(message));
    }
    doc.chemin = chemin;
    doc.definirModifie(false);
    doc.annoncer({EChangement::ToutChange});
    return {};
}

// The whole document through `sortie`; the sink records whether it all went out.
void envoyer(CDoc& doc, CSortie& sortie, std::vector<std::uint64_t>* debutsFichiers = nullptr)
{
    CArchive ar(sortie);
    ar.debutsFichiers = debutsFichiers;
    serialiserDocument(ar, doc);
    // The output keeps a failed flush: the caller asks it.
    (void)ar.vider();
}

void terminerEnregistrement(CDoc& doc, const std::string& chemin, const SDescripteur& ecrit)
{
    doc.chemin = chemin;
    doc.identiteSurDisque = identiteFichier(chemin);
    if (doc.suiteInconnue)
        doc.suiteInconnue->apresEnregistrement(ecrit.fd);
    doc.definirModifie(false);
}

// Saves `doc` through `ecrire` (a safe write to its path); the message of a failure.
CResultat<> enregistrerPar(CDoc& doc, const std::string& chemin, const std::string& debut,
    std::vector<std::uint64_t>* debutsFichiers,
    const std::function<std::optional<SEchecEcriture>(const std::function<void(CSortie&)>&, SDescripteur&)>& ecrire)
{
    SDescripteur ecrit;
    try {
        const auto remplir = [&](CSortie& sortie) {
            if (debutsFichiers)
                debutsFichiers->clear();  // a retry starts the file again
            envoyer(doc, sortie, debutsFichiers);
        };
        if (const auto rate = ecrire(remplir, ecrit)) {
            if (rate->precedentIntact)
                if (doc.suiteInconnue)
                    doc.suiteInconnue->apresRetablissement(chemin);
            return echec(texteEchecEcriture(debut + " " + entreGuillemets(chemin), *rate));
        }
    } catch (const CErreurSuite& e) {
        return echec(debut + " " + entreGuillemets(chemin) + " : " + e.what() + ". Le fichier précédent est intact.");
    }
    terminerEnregistrement(doc, chemin, ecrit);
    return {};
}

} // namespace

std::string texteSauvegardeLaissee(const std::string& chemin, const std::string& sauvegarde)
{
    return "Un enregistrement du catalogue " + entreGuillemets(chemin) +
           " a été interrompu : son contenu d'avant cet enregistrement se trouve dans " + entreGuillemets(sauvegarde) +
           ". Vérifiez le catalogue, puis supprimez cette copie.";
}

CResultat<> lireCatalogue(CDoc& doc, std::string_view octets, std::vector<std::uint64_t>* debutsFichiers)
{
    CArchive ar(octets);
    ar.debutsFichiers = debutsFichiers;
    return lireDepuis(doc, ar);
}

std::string ecrireCatalogue(CDoc& doc, std::vector<std::uint64_t>* debutsFichiers)
{
    CSortieMemoire sortie;
    envoyer(doc, sortie, debutsFichiers);
    return std::move(sortie.octets);
}

std::vector<std::string> avertissementsChargement(const std::string& chemin)
{
    // It loads, but a save was stopped: the user decides which content to keep.
    std::vector<std::string> textes;
    for (const std::string& sauvegarde : sauvegardesDe(chemin))
        textes.push_back(texteSauvegardeLaissee(chemin, sauvegarde));
    return textes;
}

CResultat<> chargerCatalogue(CDoc& doc, const std::string& chemin, const SAppelsEcriture& appels)
{
    return terminerChargement(doc, chemin, lireFichier(doc, chemin, appels));
}

CResultat<> chargerCatalogue(CDoc& doc, const std::string& chemin, int fd, std::vector<std::uint64_t>* debutsFichiers)
{
    return terminerChargement(doc, chemin, lireDescripteur(doc, fd, SAppelsEcriture::systeme(), debutsFichiers));
}

CResultat<> enregistrerCatalogue(CDoc& doc, const std::string& chemin)
{
    return enregistrerCatalogue(doc, chemin, SAppelsEcriture::systeme());
}

CResultat<> enregistrerCatalogue(CDoc& doc, const std::string& chemin, const SAppelsEcriture& appels,
                                 std::vector<std::uint64_t>* debutsFichiers)
{
    return enregistrerPar(doc, chemin, "Impossible d'enregistrer le catalogue", debutsFichiers,
                          [&](const auto& remplir, SDescripteur& ecrit) {
                              return ecrireFichierSur(chemin, remplir, appels, &ecrit);
                          });
}

CResultat<> creerCatalogue(CDoc& doc, const std::string& chemin)
{
    return enregistrerPar(doc, chemin, "Impossible de créer le catalogue", nullptr, [&](const auto& remplir, SDescripteur& ecrit) {
        return creerFichierSur(chemin, remplir, &ecrit);
    });
}
