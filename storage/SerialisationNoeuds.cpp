// The records of a catalogue file, node by node. Each serialiser() writes or reads the
// same fields in the same order; reading builds the tree as it goes.

#include "storage/SerialisationNoeuds.h"

#include <cstring>

#include "model/Attributs.h"
#include "model/CClasseur.h"
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

void echangerNom(CArchive& ar, CNomme& n)
{
    if (!ar.enLecture()) {
        ar.ecrireTexte(n.nom());
        return;
    }
    std::string nom;
    ar.echangerTexte(nom);
    n.definirNom(std::move(nom));
}

// One path at a time passes through here: read or made, without an allocation once
// the buffer has grown.
std::string& tamponChemin()
{
    thread_local std::string tampon;
    return tampon;
}

// The fields after the path, in either direction.
void echangerValeurs(CArchive& ar, CFichier& f)
{
    CDateHeure cree, modifie;
    CDate accede;
    if (!ar.enLecture()) {
        cree = f.cree();
        modifie = f.modifie();
        accede = f.accede();
    }
    echangerDateHeure(ar, cree);
    echangerDateHeure(ar, modifie);
    echangerDate(ar, accede);
    if (ar.enLecture()) {
        f.definirCree(cree);
        f.definirModifie(modifie);
        f.definirAccede(accede);
    }
    ar.echangerEntier(f.taille);
    std::uint32_t masque = masqueDepuisLettres(f.lettres);
    ar.echangerEntier(masque);
    if (ar.enLecture())
        lettresDepuisMasque(masque, f.lettres);
    std::int32_t marque = f.marque;
    ar.echangerEntier(marque);
    f.marque = marque;
}

void noterDebut(CArchive& ar)
{
    if (ar.debutsFichiers)
        ar.debutsFichiers->push_back(ar.position());
}

void ecrireFichier(CArchive& ar, CFichier& f)
{
    noterDebut(ar);
    std::string& chemin = tamponChemin();
    f.ecrireChemin(chemin);
    ar.ecrireTexte(chemin);
    echangerValeurs(ar, f);
}

CFichier& lireFichier(CArchive& ar, CDossier& dossier)
{
    noterDebut(ar);
    std::string& chemin = tamponChemin();
    ar.echangerTexte(chemin);
    CFichier& f = *dossier.nouveauFichier(chemin);
    echangerValeurs(ar, f);
    return f;
}

void echangerDossier(CArchive& ar, CDossier& dossier)
{
    bool cache = dossier.estCache();
    if (ar.enLecture()) {
        std::string chemin;
        ar.echangerTexte(chemin);
        dossier.definirChemin(std::move(chemin));
    } else {
        ar.ecrireTexte(dossier.chemin());
    }
    ar.echangerBooleen(cache);
    dossier.definirCache(cache);
    if (!ar.enLecture()) {
        ar.ecrireEntier(dossier.fichiers().nombre());
        for (CFichier* f : dossier.fichiers())
            ecrireFichier(ar, *f);
        ar.ecrireEntier(dossier.sousDossiers().nombre());
        for (CDossier* d : dossier.sousDossiers())
            echangerDossier(ar, *d);
        return;
    }
    for (std::int32_t n = ar.lireNombre(kMinFichier, "fichiers"); n > 0; --n)
        lireFichier(ar, dossier);
    const std::int32_t sous = ar.lireNombre(kMinDossier, "sous-dossiers");
    // ar.profondeur is the level of the folders about to be read (this one's + 1).
    if (sous > 0 && !niveauDossierPermis(++ar.profondeur))
        ar.echouer("le fichier est endommagé : dossiers imbriqués sur plus de " + std::to_string(kProfondeurMaxDossiers) + " niveaux");
    for (std::int32_t n = sous; n > 0; --n) {
        auto* d = new CDossier(dossier.requete(), std::string(), false);
        dossier.sousDossiers().ajouter(d);
        echangerDossier(ar, *d);
    }
    if (sous > 0)
        --ar.profondeur;
}

void echangerRequete(CArchive& ar, CRequete& q)
{
    echangerNom(ar, q);
    ar.echangerBooleen(q.inclureSousDossiers);
    ar.echangerBooleen(q.inclureDossiersVides);
    ar.echangerBooleen(q.inclureCaches);
    // Only the low byte of the mode is stored; it comes back sign-extended.
    auto mode = static_cast<std::uint8_t>(q.modeFiltre);
    ar.echangerOctet(mode);
    q.modeFiltre = static_cast<std::int8_t>(mode);
    ar.echangerTexte(q.filtre);
    ar.echangerBooleen(q.stockerCree);
    ar.echangerBooleen(q.stockerModifie);
    ar.echangerBooleen(q.stockerAccede);
    ar.echangerBooleen(q.stockerTaille);
    ar.echangerBooleen(q.stockerAttributs);
    ar.echangerEntier(q.numeroSerie);
    // The label is 11 bytes of Windows-1252, like every text of the file; it ends at
    // the first zero.
    char etiquette[kLongueurNomVolume] = {};
    if (!ar.enLecture())
        versCp1252Approche(q.nomVolume, kLongueurNomVolume).copy(etiquette, kLongueurNomVolume);
    ar.echangerBloc(etiquette, sizeof etiquette);
    if (ar.enLecture())
        q.nomVolume = etiquetteLue(std::string_view(etiquette, ::strnlen(etiquette, sizeof etiquette)));
    unsigned char image[kTailleImageCriteres];
    if (!ar.enLecture())
        ecrireImageCriteres(q.criteres, image);
    ar.echangerBloc(image, sizeof image);
    if (ar.enLecture())
        lireImageCriteres(image, q.criteres);
    echangerDossier(ar, q);
}

void echangerClasseur(CArchive& ar, CClasseur& c)
{
    echangerNom(ar, c);
    if (!ar.enLecture()) {
        ar.ecrireEntier(c.requetes().nombre());
        for (CRequete* q : c.requetes())
            echangerRequete(ar, *q);
        return;
    }
    for (std::int32_t n = ar.lireNombre(kMinRequete, "requêtes"); n > 0; --n) {
        auto* q = new CRequete(&c);
        c.requetes().ajouter(q);
        echangerRequete(ar, *q);
    }
}

} // namespace

void serialiserDocument(CArchive& ar, CDoc& doc)
{
    bool sousDossiers = doc.afficherSousDossiers;
    auto colonnes = doc.colonneTri;
    auto croissant = doc.triCroissant;
    auto ordres = doc.ordreColonnes;
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
        ar.ecrireEntier(doc.classeurs().nombre());
        for (CClasseur* c : doc.classeurs())
            echangerClasseur(ar, *c);
        static const CSuiteInconnue kAucune;
        ar.ecrireSuite(doc.suiteInconnue ? *doc.suiteInconnue : kAucune);
        return;
    }
    // The binders are read aside and take the place of the old ones only once the
    // whole file has been read: a damaged file leaves nothing of itself behind.
    CListeElements<CClasseur> lus;
    SGardeListe<CClasseur> garde{lus};
    for (std::int32_t n = ar.lireNombre(kMinClasseur, "classeurs"); n > 0; --n) {
        auto* c = new CClasseur(&doc);
        lus.ajouter(c);
        echangerClasseur(ar, *c);
    }
    auto suite = std::make_shared<CSuiteInconnue>();
    ar.lireSuite(*suite);
    doc.viderContenu();
    doc.classeurs() = std::move(lus);
    doc.suiteInconnue = suite->vide() ? nullptr : std::move(suite);
    doc.afficherSousDossiers = sousDossiers;
    doc.colonneTri = colonnes;
    doc.triCroissant = croissant;
    doc.ordreColonnes = ordres;
}

CFichier& lireFichierSeul(std::string_view octets, CDossier& dossier)
{
    CArchive ar(octets);
    return lireFichier(ar, dossier);
}

