// The records of a catalogue file, node by node. Each serialiser() writes or reads the
// same fields in the same order; reading builds the tree as it goes.

#include <cstring>

#include "model/Attributs.h"
#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/ImageCriteres.h"
#include "model/Limites.h"
#include "model/TexteCatalogue.h"
#include "storage/CArchive.h"
#include "storage/SuiteInconnue.h"

namespace {

// Smallest size of each record, to refuse counts the rest of the file cannot hold.
constexpr std::size_t kMinClasseur = 1 + 4;
constexpr std::size_t kMinDossier = 1 + 1 + 4 + 4;
constexpr std::size_t kMinRequete = 1 + 3 + 1 + 1 + 5 + 4 + 11 + kTailleImageCriteres + kMinDossier;
constexpr std::size_t kMinFichier = 1 + CDateHeure::kTailleImage * 2 + CDate::kTailleImage + 4 + 4 + 4;

// Deletes what was read so far when reading fails half-way.
template <typename T>
struct SGardeListe {
    CListeElements<T>& liste;
    ~SGardeListe() { liste.supprimerElements(); }
};

void echangerDateHeure(CArchive& ar, CDateHeure& d)
{
    unsigned char image[CDateHeure::kTailleImage];
    if (!ar.enLecture())
        d.ecrireImage(image);
    ar.echangerBloc(image, sizeof image);
    if (ar.enLecture())
        d = CDateHeure::lireImage(image);
}

void echangerDate(CArchive& ar, CDate& d)
{
    unsigned char image[CDate::kTailleImage];
    if (!ar.enLecture())
        d.ecrireImage(image);
    ar.echangerBloc(image, sizeof image);
    if (ar.enLecture())
        d = CDate::lireImage(image);
}

} // namespace

void CNomme::serialiser(CArchive& ar)
{
    ar.echangerTexte(nom_);
}

void CFichier::serialiser(CArchive& ar)
{
    if (ar.enLecture()) {
        std::string chemin;
        ar.echangerTexte(chemin);
        definirChemin(std::move(chemin));
    } else {
        ar.echangerTexte(chemin_);
    }
    echangerDateHeure(ar, cree);
    echangerDateHeure(ar, modifie);
    echangerDate(ar, accede);
    ar.echangerEntier(taille);
    std::uint32_t masque = masqueDepuisLettres(lettres);
    ar.echangerEntier(masque);
    if (ar.enLecture())
        lettresDepuisMasque(masque, lettres);
    ar.echangerEntier(marque);
}

void CDossier::serialiserDossier(CArchive& ar)
{
    ar.echangerTexte(chemin_);
    ar.echangerBooleen(cache_);
    if (!ar.enLecture()) {
        ar.ecrireEntier(fichiers_.nombre());
        for (CFichier* f : fichiers_)
            f->serialiser(ar);
        ar.ecrireEntier(sousDossiers_.nombre());
        for (CDossier* d : sousDossiers_)
            d->serialiserDossier(ar);
        return;
    }
    for (std::int32_t n = ar.lireNombre(kMinFichier, "fichiers"); n > 0; --n) {
        auto* f = new CFichier(this, std::string());
        fichiers_.ajouter(f);
        f->serialiser(ar);
    }
    const std::int32_t sous = ar.lireNombre(kMinDossier, "sous-dossiers");
    // ar.profondeur is the level of the folders about to be read (this one's + 1).
    if (sous > 0 && !niveauDossierPermis(++ar.profondeur))
        ar.echouer("le fichier est endommagé : dossiers imbriqués sur plus de " + std::to_string(kProfondeurMaxDossiers) + " niveaux");
    for (std::int32_t n = sous; n > 0; --n) {
        auto* d = new CDossier(requete(), std::string(), false);
        sousDossiers_.ajouter(d);
        d->serialiserDossier(ar);
    }
    if (sous > 0)
        --ar.profondeur;
}

void CRequete::serialiser(CArchive& ar)
{
    CNomme::serialiser(ar);
    ar.echangerBooleen(inclureSousDossiers);
    ar.echangerBooleen(inclureDossiersVides);
    ar.echangerBooleen(inclureCaches);
    // Only the low byte of the mode is stored; it comes back sign-extended.
    auto mode = static_cast<std::uint8_t>(modeFiltre);
    ar.echangerOctet(mode);
    modeFiltre = static_cast<std::int8_t>(mode);
    ar.echangerTexte(filtre);
    ar.echangerBooleen(stockerCree);
    ar.echangerBooleen(stockerModifie);
    ar.echangerBooleen(stockerAccede);
    ar.echangerBooleen(stockerTaille);
    ar.echangerBooleen(stockerAttributs);
    ar.echangerEntier(numeroSerie);
    // The label is 11 bytes of Windows-1252, like every text of the file; it ends at
    // the first zero.
    char etiquette[kLongueurNomVolume] = {};
    if (!ar.enLecture())
        versCp1252Approche(nomVolume, kLongueurNomVolume).copy(etiquette, kLongueurNomVolume);
    ar.echangerBloc(etiquette, sizeof etiquette);
    if (ar.enLecture())
        nomVolume = etiquetteLue(std::string_view(etiquette, ::strnlen(etiquette, sizeof etiquette)));
    unsigned char image[kTailleImageCriteres];
    if (!ar.enLecture())
        ecrireImageCriteres(criteres, image);
    ar.echangerBloc(image, sizeof image);
    if (ar.enLecture())
        lireImageCriteres(image, criteres);
    serialiserDossier(ar);
}

void CClasseur::serialiser(CArchive& ar)
{
    CNomme::serialiser(ar);
    if (!ar.enLecture()) {
        ar.ecrireEntier(requetes_.nombre());
        for (CRequete* q : requetes_)
            q->serialiser(ar);
        return;
    }
    for (std::int32_t n = ar.lireNombre(kMinRequete, "requêtes"); n > 0; --n) {
        auto* q = new CRequete(this);
        requetes_.ajouter(q);
        q->serialiser(ar);
    }
}

void CDoc::serialiser(CArchive& ar)
{
    bool sousDossiers = afficherSousDossiers;
    auto colonnes = colonneTri;
    auto croissant = triCroissant;
    auto ordres = ordreColonnes;
    ar.echangerBooleen(sousDossiers);
    for (auto& c : colonnes)
        ar.echangerEntier(c);
    for (bool& b : croissant) {
        // Raw bytes: any value reads as true unless it is zero.
        std::uint8_t o = b ? 1 : 0;
        ar.echangerOctet(o);
        b = o != 0;
    }
    for (auto& rang : ordres)
        for (auto& c : rang)
            ar.echangerEntier(c);

    if (!ar.enLecture()) {
        ar.ecrireEntier(classeurs_.nombre());
        for (CClasseur* c : classeurs_)
            c->serialiser(ar);
        ar.ecrireSuite(*suiteInconnue_);
        return;
    }
    // The binders are read aside and take the place of the old ones only once the
    // whole file has been read: a damaged file leaves nothing of itself behind.
    CListeElements<CClasseur> lus;
    SGardeListe<CClasseur> garde{lus};
    for (std::int32_t n = ar.lireNombre(kMinClasseur, "classeurs"); n > 0; --n) {
        auto* c = new CClasseur(this);
        lus.ajouter(c);
        c->serialiser(ar);
    }
    CSuiteInconnue suite;
    ar.lireSuite(suite);
    viderContenu();
    classeurs_ = std::move(lus);
    *suiteInconnue_ = std::move(suite);
    afficherSousDossiers = sousDossiers;
    colonneTri = colonnes;
    triCroissant = croissant;
    ordreColonnes = ordres;
}
