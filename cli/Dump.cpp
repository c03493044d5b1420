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
            envoyer();
        return *this;
    }
    // Sends what waits; SErreurDonnees when the output fails.
    void envoyer()
    {
        std::cout.write(texte_.data(), static_cast<std::streamsize>(texte_.size()));
        texte_.clear();
        verifierSortie();
    }

private:
    static constexpr std::size_t kBloc = 64 * 1024;
    std::string texte_;
};

std::string booleen(bool b)
{
    return b ? "true" : "false";
}

template <typename Tableau>
std::string entiers(const Tableau& t)
{
    std::string r = "[";
    for (std::size_t i = 0; i < t.size(); ++i)
        r += (i ? ", " : "") + std::to_string(t[i]);
    return r + "]";
}

std::string plage(const CPlageDates& p)
{
    return "{\"active\": " + booleen(p.actif) + ", \"from\": " + jsonTexte(dateBrute(p.du)) +
           ", \"to\": " + jsonTexte(dateBrute(p.au)) + "}";
}

std::string fichier(const CFichier& f)
{
    return "{\"path\": " + jsonTexte(f.chemin()) + ", \"name\": " + jsonTexte(f.nom()) +
           ", \"created\": " + jsonTexte(dateHeureBrute(f.cree)) +
           ", \"modified\": " + jsonTexte(dateHeureBrute(f.modifie)) +
           ", \"accessed\": " + jsonTexte(dateBrute(f.accede)) + ", \"size\": " + std::to_string(f.taille) +
           ", \"attributes\": " + jsonTexte(f.lettres) + ", \"found\": " + std::to_string(f.marque) + "}";
}

void dossier(const CDossier& d, CFlotJson& r)
{
    r += "{\"path\": " + jsonTexte(d.chemin()) + ", \"hidden\": " + booleen(d.estCache()) + ", \"files\": [";
    const char* sep = "";
    for (const CFichier* f : d.fichiers()) {
        r += sep;
        r += fichier(*f);
        sep = ", ";
    }
    r += "], \"folders\": [";
    sep = "";
    for (const CDossier* s : d.sousDossiers()) {
        r += sep;
        dossier(*s, r);
        sep = ", ";
    }
    r += "]}";
}

std::string criteres(const CCriteres& c)
{
    return "{\"scope\": " + std::to_string(c.portee) + ", \"created\": " + plage(c.cree) +
           ", \"modified\": " + plage(c.modifie) + ", \"accessed\": " + plage(c.accede) +
           ", \"size\": {\"on\": " + booleen(c.testTaille) + ", \"comparison\": " +
           std::to_string(c.comparaisonTaille) + ", \"value\": " + std::to_string(c.valeurTaille) +
           ", \"unit\": " + std::to_string(c.uniteTaille) + ", \"divisor\": " + std::to_string(c.diviseurTaille) +
           "}, \"attributes\": {\"R\": " + std::to_string(c.attributs[0]) + ", \"H\": " +
           std::to_string(c.attributs[1]) + ", \"S\": " + std::to_string(c.attributs[2]) +
           ", \"A\": " + std::to_string(c.attributs[3]) + "}, \"duplicates\": {\"on\": " + booleen(c.doublons) +
           ", \"name\": " + booleen(c.memeNom) + ", \"created\": " + booleen(c.memeCreation) +
           ", \"modified\": " + booleen(c.memeModification) + ", \"accessed\": " + booleen(c.memeAcces) +
           ", \"size\": " + booleen(c.memeTaille) + "}, \"searchSubfolders\": " +
           std::to_string(c.rechercherSousDossiers) +
           ", \"searchHiddenFolders\": " + std::to_string(c.rechercherDossiersCaches) + "}";
}

void requete(const CRequete& q, CFlotJson& r)
{
    r += "{\"name\": " + jsonTexte(q.nom()) + ", \"path\": " + jsonTexte(q.chemin()) +
         ", \"includeSubfolders\": " + booleen(q.inclureSousDossiers) +
         ", \"includeEmptyFolders\": " + booleen(q.inclureDossiersVides) +
         ", \"includeHidden\": " + booleen(q.inclureCaches) + ", \"filterMode\": " + std::to_string(q.modeFiltre) +
         ", \"filter\": " + jsonTexte(q.filtre) + ", \"store\": {\"created\": " + booleen(q.stockerCree) +
         ", \"modified\": " + booleen(q.stockerModifie) + ", \"accessed\": " + booleen(q.stockerAccede) +
         ", \"size\": " + booleen(q.stockerTaille) + ", \"attributes\": " + booleen(q.stockerAttributs) +
         "}, \"volumeLabel\": " + jsonTexte(q.nomVolume) + ", \"volumeSerial\": " + std::to_string(q.numeroSerie) +
         ", \"criteria\": " + criteres(q.criteres) + ", \"root\": ";
    dossier(q, r);
    r += "}";
}

} // namespace

void ecrireDumpJson(const CDoc& doc)
{
    CFlotJson r;
    r += "{\"showSubfolders\": " + booleen(doc.afficherSousDossiers) + ", \"sortColumn\": " +
         entiers(doc.colonneTri) + ", \"sortAscending\": [" + booleen(doc.triCroissant[0]) + ", " +
         booleen(doc.triCroissant[1]) + "], \"columnOrder\": [" + entiers(doc.ordreColonnes[0]) + ", " +
         entiers(doc.ordreColonnes[1]) + ", " + entiers(doc.ordreColonnes[2]) + "], \"binders\": [";
    const char* sep = "";
    for (const CClasseur* c : doc.classeurs()) {
        r += sep;
        r += "{\"name\": " + jsonTexte(c->nom()) + ", \"queries\": [";
        const char* sepQ = "";
        for (const CRequete* q : c->requetes()) {
            r += sepQ;
            requete(*q, r);
            sepQ = ", ";
        }
        r += "]}";
        sep = ", ";
    }
    r += "]}\n";
    r.envoyer();
}
