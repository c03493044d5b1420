#include "bench/CRequeteSynthetique.h"

#include <string>
#include <vector>

#include "bench/Alea.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

constexpr const char* kThemes[] = {
    "Photos de vacances", "Documents administratifs", "Musique classique", "Été à Montréal",
    "Übersicht der Projekte", "日本旅行の写真", "Ωμέγα archives", "Sauvegardes du portable",
    "Factures et relevés", "Vidéos de famille", "Cours de l'université", "Projets logiciels",
};
constexpr const char* kAlbums[] = {"Album", "Séance", "Répertoire", "Lot", "Straße", "Копии"};
constexpr const char* kPrefixes[] = {"IMG", "DSC", "rapport", "facture", "chanson", "résumé",
                                     "photo", "lettre", "copie de sécurité", "notes"};
// Weighted by repetition: about one file in ten is a .doc or a .txt.
constexpr const char* kExtensions[] = {"jpg", "jpg", "jpg", "JPG", "png", "pdf", "mp3", "flac",
                                       "doc", "txt", "docx", "xls", "html", "zip", "mkv", "c",
                                       "h", "odt", "gif", "wav"};
constexpr const char* kNomsCourants[] = {"Thumbs.db", "desktop.ini", "index.html", "README.md",
                                         "notes.txt", "rapport.doc", "Makefile", "cover.jpg",
                                         "日本語.txt", "Ωμέγα.pdf", "journal d'été.doc", "folder.jpg"};

constexpr std::size_t kFichiersParDossier = 100;
constexpr std::size_t kDossiersParAlbum = 10;
constexpr std::size_t kDossiersParTheme = 250;

CDossier* ajouterDossier(CDossier& parent, const std::string& nom)
{
    auto* d = new CDossier(parent.requete(), parent.chemin() + "/" + nom, false);
    parent.sousDossiers().ajouter(d);
    return d;
}

CDateHeure dateAuHasard(CAlea& alea, std::uint32_t anneeMin)
{
    const auto annee = static_cast<std::uint32_t>(anneeMin + alea.jusqua(2027 - anneeMin));
    return CDateHeure{CDate{1u + std::uint32_t(alea.jusqua(28)), 1u + std::uint32_t(alea.jusqua(12)), annee},
                      std::uint32_t(alea.jusqua(24)), std::uint32_t(alea.jusqua(60)),
                      std::uint32_t(alea.jusqua(60))};
}

// Sizes spread over every order of magnitude, as on a real disk.
std::uint32_t tailleAuHasard(CAlea& alea)
{
    const unsigned bits = unsigned(alea.jusqua(32));
    return bits == 0 ? 0 : std::uint32_t(alea.suivant() & ((1ULL << bits) - 1));
}

std::string nomAuHasard(CAlea& alea, std::size_t numero)
{
    if (alea.chance(8)) {
        const char* courant = alea.parmi(kNomsCourants);
        if (alea.chance(50))
            return courant;
        return "IMG_" + std::to_string(1000 + alea.jusqua(2000)) + ".JPG";
    }
    return std::string(alea.parmi(kPrefixes)) + "_" + std::to_string(20000000 + numero * 7) + "_" +
           std::to_string(alea.jusqua(1000000)) + "." + alea.parmi(kExtensions);
}

} // namespace

CRequeteSynthetique::CRequeteSynthetique(std::size_t fichiers, std::uint64_t graine)
    : doc_(std::make_unique<CDoc>())
{
    doc_->initialiserNouveau();
    CClasseur* classeur = doc_->classeurs().elementA(0);
    requete_ = new CRequete(classeur);
    requete_->definirNom("disque");
    requete_->definirChemin("/media/disque");
    classeur->requetes().ajouter(requete_);

    CAlea alea(graine);
    std::vector<const CFichier*> crees;
    crees.reserve(fichiers);
    CDossier* theme = nullptr;
    CDossier* album = nullptr;
    CDossier* dossier = nullptr;
    for (std::size_t i = 0; i < fichiers; ++i) {
        if (i % kFichiersParDossier == 0) {
            // A new leaf folder; a new album every ten, a new theme every 250.
            const std::size_t n = i / kFichiersParDossier;
            if (n % kDossiersParTheme == 0)
                theme = ajouterDossier(*requete_, std::string(kThemes[n / kDossiersParTheme % std::size(kThemes)]) +
                                                      " " + std::to_string(n / kDossiersParTheme));
            if (n % kDossiersParAlbum == 0)
                album = ajouterDossier(*theme, std::string(kAlbums[n / kDossiersParAlbum % std::size(kAlbums)]) +
                                                   " " + std::to_string(2000 + n / kDossiersParAlbum));
            dossier = ajouterDossier(*album, "sous-dossier " + std::to_string(n));
        }
        CFichier* f;
        if (!crees.empty() && alea.chance(25)) {
            // A copy of an earlier file, elsewhere on the disk.
            const CFichier& original = *crees[alea.jusqua(crees.size())];
            f = CFichier::creer(dossier->arene(), dossier, dossier->chemin() + "/" + std::string(original.nom()));
            f->taille = original.taille;
            f->definirCree(original.cree());
            f->definirModifie(original.modifie());
            f->definirAccede(original.accede());
        } else {
            f = CFichier::creer(dossier->arene(), dossier, dossier->chemin() + "/" + nomAuHasard(alea, i));
            f->taille = tailleAuHasard(alea);
            f->definirModifie(dateAuHasard(alea, 2000));
            f->definirCree(alea.chance(70) ? f->modifie() : dateAuHasard(alea, 2000));
            f->definirAccede(dateAuHasard(alea, f->modifie().date.annee).date);
        }
        f->lettres[0] = 'A';
        if (alea.chance(5))
            f->lettres[1] = 'R';
        f->marque = 1;
        dossier->fichiers().ajouter(f);
        crees.push_back(f);
        octetsChemins_ += f->chemin().size();
    }
    fichiers_ = fichiers;
}

CRequeteSynthetique::~CRequeteSynthetique() = default;
