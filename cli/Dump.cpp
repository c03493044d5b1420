// The whole catalogue as one JSON object, every stored value as it stands. It goes
// out as it is made: a catalogue of millions of files never exists twice in memory.

#include <iostream>
#include <string>

#include "cli/Formats.h"
#include "cli/SortieStandard.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

// JSON text waiting to go to the standard output, sent in blocks.
class CFlotJson {
public:
    CFlotJson& operator+=(const std::string& morceau)
    {
        texte_ += morceau;
        if (texte_.size() >= kBloc)
            ecrireSurSortie();
        return *this;
    }
    // Sends what waits; SErreurDonnees when the output fails.
    void ecrireSurSortie()
    {
        std::cout.write(texte_.data(), static_cast<std::streamsize>(texte_.size()));
        texte_.clear();
        verifierSortie();
    }

private:
    static constexpr std::size_t kBloc = 64 * 1024;
    std::string texte_;
};

std::string jsonBooleen(bool b)
{
    return b ? "true" : "false";
}

template <typename Tableau>
std::string jsonEntiers(const Tableau& t)
{
    std::string r = "[";
    for (std::size_t i = 0; i < t.size(); ++i)
        r += (i ? ", " : "") + std::to_string(t[i]);
    return r + "]";
}

std::string jsonPlage(const CPlageDates& p)
{
    return "{\"active\": " + jsonBooleen(p.actif) + ", \"from\": " + jsonTexte(dateBrute(p.du)) +
           ", \"to\": " + jsonTexte(dateBrute(p.au)) + "}";
}

std::string jsonFichier(const CFichier& f)
{
    return "{\"path\": " + jsonTexte(f.chemin()) + ", \"name\": " + jsonTexte(f.nom()) +
           ", \"created\": " + jsonTexte(dateHeureBrute(f.cree())) +
           ", \"modified\": " + jsonTexte(dateHeureBrute(f.modifie())) +
           ", \"accessed\": " + jsonTexte(dateBrute(f.accede())) + ", \"size\": " + std::to_string(f.taille) +
           ", \"attributes\": " + jsonTexte(f.lettres) + ", \"found\": " + std::to_string(f.marque) + "}";
}

void ecrireDossier(const CDossier& d, CFlotJson& r)
{
    r += "{\"path\": " + jsonTexte(d.chemin()) + ", \"hidden\": " + jsonBooleen(d.estCache()) + ", \"files\": [";
    const char* sep = "";
    for (const CFichier* f : d.fichiers()) {
        r += sep;
        r += jsonFichier(*f);
        sep = ", ";
    }
    r += "], \"folders\": [";
    sep = "";
    for (const CDossier* s : d.sousDossiers()) {
        r += sep;
        ecrireDossier(*s, r);
        sep = ", ";
    }
    r += "]}";
}

std::string jsonCriteres(const CCriteres& c)
{
    return "{\"scope\": " + std::to_string(c.portee) + ", \"created\": " + jsonPlage(c.cree) +
           ", \"modified\": " + jsonPlage(c.modifie) + ", \"accessed\": " + jsonPlage(c.accede) +
           ", \"size\": {\"on\": " + jsonBooleen(c.testTaille) + ", \"comparison\": " +
           std::to_string(c.comparaisonTaille) + ", \"value\": " + std::to_string(c.valeurTaille) +
           ", \"unit\": " + std::to_string(c.uniteTaille) + ", \"divisor\": " + std::to_string(c.diviseurTaille) +
           "}, \"attributes\": {\"R\": " + std::to_string(c.attributs[0]) + ", \"H\": " +
           std::to_string(c.attributs[1]) + ", \"S\": " + std::to_string(c.attributs[2]) +
           ", \"A\": " + std::to_string(c.attributs[3]) + "}, \"duplicates\": {\"on\": " + jsonBooleen(c.doublons) +
           ", \"name\": " + jsonBooleen(c.memeNom) + ", \"created\": " + jsonBooleen(c.memeCreation) +
           ", \"modified\": " + jsonBooleen(c.memeModification) + ", \"accessed\": " + jsonBooleen(c.memeAcces) +
           ", \"size\": " + jsonBooleen(c.memeTaille) + "}, \"searchSubfolders\": " +
           std::to_string(c.rechercherSousDossiers) +
           ", \"searchHiddenFolders\": " + std::to_string(c.rechercherDossiersCaches) + "}";
}

void ecrireRequete(const CRequete& q, CFlotJson& r)
{
    r += "{\"name\": " + jsonTexte(q.nom()) + ", \"path\": " + jsonTexte(q.chemin()) +
         ", \"includeSubfolders\": " + jsonBooleen(q.inclureSousDossiers) +
         ", \"includeEmptyFolders\": " + jsonBooleen(q.inclureDossiersVides) +
         ", \"includeHidden\": " + jsonBooleen(q.inclureCaches) + ", \"filterMode\": " + std::to_string(q.modeFiltre) +
         ", \"filter\": " + jsonTexte(q.filtre) + ", \"store\": {\"created\": " + jsonBooleen(q.stockerCree) +
         ", \"modified\": " + jsonBooleen(q.stockerModifie) + ", \"accessed\": " + jsonBooleen(q.stockerAccede) +
         ", \"size\": " + jsonBooleen(q.stockerTaille) + ", \"attributes\": " + jsonBooleen(q.stockerAttributs) +
         "}, \"volumeLabel\": " + jsonTexte(q.nomVolume) + ", \"volumeSerial\": " + std::to_string(q.numeroSerie) +
         ", \"criteria\": " + jsonCriteres(q.criteres) + ", \"root\": ";
    ecrireDossier(q, r);
    r += "}";
}

} // namespace

void ecrireDumpJson(const CDoc& doc)
{
    CFlotJson r;
    r += "{\"showSubfolders\": " + jsonBooleen(doc.afficherSousDossiers) + ", \"sortColumn\": " +
         jsonEntiers(doc.colonneTri) + ", \"sortAscending\": [" + jsonBooleen(doc.triCroissant[0]) + ", " +
         jsonBooleen(doc.triCroissant[1]) + "], \"columnOrder\": [" + jsonEntiers(doc.ordreColonnes[0]) + ", " +
         jsonEntiers(doc.ordreColonnes[1]) + ", " + jsonEntiers(doc.ordreColonnes[2]) + "], \"binders\": [";
    const char* sep = "";
    for (const CClasseur* c : doc.classeurs()) {
        r += sep;
        r += "{\"name\": " + jsonTexte(c->nom()) + ", \"queries\": [";
        const char* sepQ = "";
        for (const CRequete* q : c->requetes()) {
            r += sepQ;
            ecrireRequete(*q, r);
            sepQ = ", ";
        }
        r += "]}";
        sep = ", ";
    }
    r += "]}\n";
    r.ecrireSurSortie();
}
