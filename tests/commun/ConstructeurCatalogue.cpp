#include "tests/commun/ConstructeurCatalogue.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "model/CClasseur.h"
#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

struct SLigne {
    std::size_t niveau = 0;
    std::string genre;
    std::vector<std::string> mots;
};

[[noreturn]] void refuser(int numero, const std::string& texte, const std::string& raison)
{
    throw std::invalid_argument("ligne " + std::to_string(numero) + " « " + texte + " » : " + raison);
}

CDate lireDate(const std::string& texte, int numero, const std::string& ligne)
{
    CDate d;
    char reste = 0;
    if (std::sscanf(texte.c_str(), "%u/%u/%u%c", &d.jour, &d.mois, &d.annee, &reste) != 3)
        refuser(numero, ligne, "date attendue en JJ/MM/AAAA : " + texte);
    return d;
}

// key=value pairs of a file line.
void lireValeurs(CFichier& f, const std::vector<std::string>& mots, int numero, const std::string& ligne)
{
    for (std::size_t i = 1; i < mots.size(); ++i) {
        const std::size_t egal = mots[i].find('=');
        if (egal == std::string::npos)
            refuser(numero, ligne, "valeur sans « = » : " + mots[i]);
        const std::string cle = mots[i].substr(0, egal);
        const std::string valeur = mots[i].substr(egal + 1);
        if (cle == "taille")
            f.taille = static_cast<std::uint32_t>(std::stoul(valeur));
        else if (cle == "marque")
            f.marque = std::stoi(valeur);
        else if (cle == "lettres" && valeur.size() < sizeof f.lettres)
            std::snprintf(f.lettres, sizeof f.lettres, "%s", valeur.c_str());
        else if (cle == "cree")
            f.definirCree(CDateHeure{lireDate(valeur, numero, ligne), 0, 0, 0});
        else if (cle == "modifie")
            f.definirModifie(CDateHeure{lireDate(valeur, numero, ligne), 0, 0, 0});
        else if (cle == "accede")
            f.definirAccede(lireDate(valeur, numero, ligne));
        else
            refuser(numero, ligne, "valeur inconnue : " + mots[i]);
    }
}

} // namespace

CCatalogueConstruit construireCatalogue(std::string_view description)
{
    CCatalogueConstruit r;
    r.doc = std::make_unique<CDoc>();
    // The node open at each level, with its place (none under a file).
    std::vector<std::pair<CElement*, std::string>> ouverts;
    std::istringstream flux{std::string(description)};
    std::string texte;
    for (int numero = 1; std::getline(flux, texte); ++numero) {
        const std::size_t debut = texte.find_first_not_of(' ');
        if (debut == std::string::npos)
            continue;
        if (debut % 2 != 0)
            refuser(numero, texte, "indentation impaire");
        std::istringstream mots(texte.substr(debut));
        SLigne l{debut / 2, {}, {}};
        mots >> l.genre;
        for (std::string m; mots >> m;)
            l.mots.push_back(m);
        if (l.mots.empty())
            refuser(numero, texte, "nom manquant");
        if (l.niveau > ouverts.size())
            refuser(numero, texte, "trop indentée");
        ouverts.resize(l.niveau);
        CElement* parent = l.niveau ? ouverts.back().first : nullptr;
        if (l.niveau && !parent)
            refuser(numero, texte, "un fichier ne contient rien");
        const std::string& nom = l.mots[0];
        std::string place = l.niveau > 1 ? ouverts.back().second + "/" + nom : nom;
        CElement* cree = nullptr;
        CFichier* fichier = nullptr;
        auto* classeur = dynamic_cast<CClasseur*>(parent);
        auto* d = dynamic_cast<CDossier*>(parent);
        if (l.genre == "classeur" && l.niveau == 0) {
            auto* c = new CClasseur(r.doc.get(), nom);
            r.doc->classeurs().ajouter(c);
            cree = c;
        } else if (l.genre == "requete" && classeur && l.mots.size() == 2) {
            auto* q = new CRequete(classeur);
            q->definirNom(nom);
            q->definirChemin(l.mots[1]);
            classeur->requetes().ajouter(q);
            cree = static_cast<CDossier*>(q);
        } else if (l.genre == "dossier" && d && l.mots.size() <= 2 && (l.mots.size() == 1 || l.mots[1] == "cache")) {
            auto* s = new CDossier(d->requete(), d->chemin() + "/" + nom, l.mots.size() == 2);
            d->sousDossiers().ajouter(s);
            cree = s;
        } else if (l.genre == "fichier" && d) {
            fichier = CFichier::creer(d->arene(), d, d->chemin() + "/" + nom);
            d->fichiers().ajouter(fichier);
            lireValeurs(*fichier, l.mots, numero, texte);
        } else {
            refuser(numero, texte, "« " + l.genre + " » n'a pas sa place ici, ou ses valeurs sont fausses");
        }
        if (r.places_.count(place) || r.fichiers_.count(place))
            refuser(numero, texte, "place déjà prise : " + place);
        if (fichier)
            r.fichiers_.emplace(place, fichier);
        else
            r.places_.emplace(place, cree);
        ouverts.emplace_back(cree, place);
    }
    return r;
}

CElement& CCatalogueConstruit::noeud(const std::string& place) const
{
    const auto trouve = places_.find(place);
    if (trouve == places_.end())
        throw std::invalid_argument("aucun nœud à la place « " + place + " »");
    return *trouve->second;
}

CClasseur& CCatalogueConstruit::classeur(const std::string& nom) const
{
    return dynamic_cast<CClasseur&>(noeud(nom));
}

CRequete& CCatalogueConstruit::requete(const std::string& nom) const
{
    return dynamic_cast<CRequete&>(noeud(nom));
}

CDossier& CCatalogueConstruit::dossier(const std::string& place) const
{
    return dynamic_cast<CDossier&>(noeud(place));
}

CFichier& CCatalogueConstruit::fichier(const std::string& place) const
{
    const auto trouve = fichiers_.find(place);
    if (trouve == fichiers_.end())
        throw std::invalid_argument("aucun fichier à la place « " + place + " »");
    return *trouve->second;
}
