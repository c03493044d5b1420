// Commands that only read a catalogue: they never write it.

#include <cstdio>
#include <iostream>

#include "model/NumeroSerie.h"
#include "model/Totaux.h"
#include "cli/Arguments.h"
#include "cli/Commandes.h"
#include "cli/Criteres.h"
#include "cli/Formats.h"
#include "cli/Session.h"
#include "cli/SortieFichiers.h"
#include "cli/SortieStandard.h"
#include "model/CResultatsComparaison.h"
#include "compare/Comparaison.h"
#include "compare/StatutsComparaison.h"
#include "model/CClasseur.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"
#include "platform/TexteAffichable.h"
#include "search/CResultatsRechercheTable.h"
#include "workspace/CContexte.h"

// Writes the whole catalogue to the standard output as JSON (Dump.cpp).
void ecrireDumpJson(const CDoc& doc);

namespace {

// Rows of files in the chosen format, with the columns `colonnes` asks for.
void afficherLignes(const std::vector<CFichier*>& fichiers, EFormat format, SColonnesSortie colonnes)
{
    CSortieFichiers sortie(format, std::move(colonnes));
    for (const CFichier* f : fichiers)
        sortie.ajouter(*f);
    sortie.terminer(true);
}

void afficherArbre(const CDossier& d, int retrait)
{
    for (const CDossier* s : d.sousDossiers()) {
        std::cout << std::string(2 * retrait, ' ') << texteAffichable(plateforme().dernierComposant(s->chemin()))
                  << "\n";
        verifierSortie();
        afficherArbre(*s, retrait + 1);
    }
}

// The comparison rows in the order the engine gives them.
class CLignesComparaison : public CResultatsComparaison {
public:
    void vider() override { lignes.clear(); }
    void ajouterLigne(CFichier* f, std::int32_t) override { lignes.push_back(f); }
    void definirPaire(CRequete*, CRequete*) override {}
    void retirerFichier(const CFichier*) override {}
    std::vector<CFichier*> lignes;
};

SOptionsComparaison lireOptions(const std::string& liste)
{
    SOptionsComparaison o;
    if (liste == "none")
        return o;
    std::size_t debut = 0;
    while (debut <= liste.size()) {
        const std::size_t fin = std::min(liste.find(',', debut), liste.size());
        const std::string cle = liste.substr(debut, fin - debut);
        bool* drapeau = cle == "name"         ? &o.nom
                        : cle == "created"    ? &o.cree
                        : cle == "modified"   ? &o.modifie
                        : cle == "accessed"   ? &o.accede
                        : cle == "size"       ? &o.taille
                        : cle == "attributes" ? &o.attributs
                                              : nullptr;
        if (!drapeau)
            throw SErreurDonnees("valeur de comparaison inconnue : " + entreGuillemets(cle) +
                                 " (name, created, modified, accessed, size, attributes, ou none)");
        *drapeau = true;
        debut = fin + 1;
    }
    return o;
}

} // namespace

int commandeTree(const Mots& mots)
{
    CArguments args(mots, {});
    args.exigerOperandes(1, 1);
    CSession s;
    CDoc& doc = s.ouvrir(args.operandes()[0]);
    for (const CClasseur* c : doc.classeurs()) {
        std::cout << texteAffichable(c->nom()) << "\n";
        for (const CRequete* q : c->requetes()) {
            std::cout << "  " << texteAffichable(q->nom()) << "\n";
            afficherArbre(*q, 2);
        }
    }
    return 0;
}

int commandeInfo(const Mots& mots)
{
    CArguments args(mots, {NORVANEL_OPTIONS_NOEUD});
    args.exigerOperandes(1, 1);
    CSession s;
    CDoc& doc = s.ouvrir(args.operandes()[0]);
    CElement* noeud = s.noeud(args);
    SProprietes p;
    if (!noeud) {
        for (const CClasseur* c : doc.classeurs())
            ajouterProprietes(*c, p);
    } else if (CDossier* d = noeud->commeDossier()) {
        p = proprietesDossier(*d);
    } else {
        ajouterProprietes(*noeud->classeur(), p);
    }
    if (p.avecVolume) {
        std::cout << "Nom du volume: " << texteAffichable(p.nomVolume) << "\n";
        std::cout << "Numéro de série: " << texteNumeroSerie(p.numeroSerie) << "\n";
    }
    std::cout << "Nombre de dossiers: " << p.dossiers << "\n";
    std::cout << "Nombre de fichiers: " << p.fichiers << "\n";
    std::cout << "Taille totale: " << plateforme().texteTaille(p.tailleTotale) << "\n";
    return 0;
}

int commandeDump(const Mots& mots)
{
    CArguments args(mots, {});
    args.exigerOperandes(1, 1);
    CSession s;
    ecrireDumpJson(s.ouvrir(args.operandes()[0]));
    return 0;
}

int commandeSearch(const Mots& mots)
{
    CArguments args(mots, {NORVANEL_OPTIONS_NOEUD, NORVANEL_OPTIONS_CRITERES, {"pattern", true},
                           {"no-subfolders", false}, {"no-hidden-folders", false}, {"sort", true},
                           {"format", true}});
    args.exigerOperandes(1, 1);
    const EFormat format = lireFormat(args);
    CSession s;
    CDoc& doc = s.ouvrir(args.operandes()[0]);
    CElement* noeud = s.noeud(args);

    CCriteres c = CCriteres::pourRecherche();
    c.motif = args.valeur("pattern").value_or("");
    c.rechercherSousDossiers = !args.drapeau("no-subfolders");
    c.rechercherDossiersCaches = !args.drapeau("no-hidden-folders");
    lireCriteres(args, c);
    c.portee = noeud ? kPorteeObjetSelectionne : kPorteeTousClasseurs;
    c.cible = noeud ? noeud : static_cast<CElement*>(&doc);

    static constexpr const char* kColonnes[] = {"name", "size", "created", "modified", "accessed", "attributes", "folder"};
    const std::string tri = args.valeur("sort").value_or("name");
    const std::size_t deuxPoints = tri.find(':');
    const std::string colonne = tri.substr(0, deuxPoints);
    const std::string sens = deuxPoints == std::string::npos ? "asc" : tri.substr(deuxPoints + 1);
    int indice = -1;
    for (int i = 0; i < 7; ++i)
        if (colonne == kColonnes[i])
            indice = i;
    if (indice < 0 || (sens != "asc" && sens != "desc"))
        throw SErreurUsage("tri inconnu : " + tri + " (name, size, created, modified, accessed, attributes ou folder, suivi de :desc au besoin)");

    CResultatsRechercheTable resultats;
    resultats.table.definirTri(indice, sens == "asc");
    executerRecherche(c, {&doc}, &resultats);
    SColonnesSortie colonnes;
    colonnes.titre = "Résultats de la recherche";
    afficherLignes(resultats.table.lignes(), format, std::move(colonnes));
    return 0;
}

int commandeCompare(const Mots& mots)
{
    CArguments args(mots, {{"query", true}, {"by", true}, {"format", true}});
    args.exigerOperandes(1, 1);
    const EFormat format = lireFormat(args);
    if (args.valeurs("query").size() != 2)
        throw SErreurUsage("il faut deux --query");
    CSession s;
    s.ouvrir(args.operandes()[0]);
    CRequete& a = s.requete(args.valeurs("query")[0]);
    CRequete& b = s.requete(args.valeurs("query")[1]);
    if (&a == &b)
        throw SErreurDonnees("une requête ne se compare pas à elle-même");
    SOptionsComparaison options{true, true, true, true, true, true};
    if (auto by = args.valeur("by"))
        options = lireOptions(*by);

    CLignesComparaison lignes;
    comparerRequetes(a, b, options, &lignes);
    SColonnesSortie colonnes;
    colonnes.statut = true;
    for (std::int32_t statut : {kStatutSeulDansPremiere, kStatutSeulDansSeconde, kStatutDansLesDeux})
        colonnes.textesStatuts.push_back(texteStatut(statut, a.nom(), b.nom()));
    colonnes.titre = "Résultats de la comparaison entre les requêtes " + a.nom() + " et " + b.nom();
    colonnes.legende = "Seulement dans « " + a.nom() + " » : fichiers présents uniquement dans la requête " + a.nom() +
                       ". Seulement dans « " + b.nom() + " » : fichiers présents uniquement dans la requête " +
                       b.nom() + ". Dans les deux : fichiers présents dans les deux requêtes.";
    afficherLignes(lignes.lignes, format, std::move(colonnes));
    return 0;
}
