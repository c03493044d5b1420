#include "cli/SortieFichiers.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/SortieStandard.h"
#include "model/CFichier.h"
#include "platform/TexteAffichable.h"

EFormat lireFormat(const CArguments& args)
{
    const std::string f = args.valeur("format").value_or("text");
    if (f == "text")
        return EFormat::Texte;
    if (f == "tsv")
        return EFormat::Tsv;
    if (f == "json")
        return EFormat::Json;
    throw SErreurUsage("format inconnu : " + f + " (text, tsv ou json)");
}

CSortieFichiers::CSortieFichiers(EFormat format, SColonnesSortie colonnes) : format_(format), colonnes_(colonnes) {}

void CSortieFichiers::ajouter(const CFichier& f, const std::string& catalogue)
{
    ++nombre_;
    switch (format_) {
    case EFormat::Tsv: {
        std::string ligne = colonnes_.statut ? std::to_string(f.marque) + "\t" : std::string();
        const auto cellules = cellulesBrutes(f);
        for (std::size_t i = 0; i < cellules.size(); ++i)
            ligne += (i ? "\t" : "") + texteAffichable(cellules[i]);
        if (colonnes_.catalogue)
            ligne += "\t" + texteAffichable(catalogue);
        std::cout << ligne << "\n";
        break;
    }
    case EFormat::Json: {
        std::string objet = ligneJson(f, colonnes_.statut ? std::int32_t(f.marque) : -1);
        if (colonnes_.catalogue)
            objet.insert(objet.size() - 1, ", \"catalogue\": " + jsonTexte(catalogue));
        std::cout << (nombre_ == 1 ? "[\n  " : ",\n  ") << objet;
        break;
    }
    case EFormat::Texte: {
        std::vector<std::string> cellules;
        if (colonnes_.statut)
            cellules.push_back(std::to_string(f.marque));
        for (const std::string& c : cellulesTexte(f))
            cellules.push_back(texteAffichable(c));
        lignesTexte_.push_back(std::move(cellules));
        return;
    }
    }
    verifierSortie();  // a reader gone: stop now, not a million rows later
}

void CSortieFichiers::terminer(bool titresSansLigne)
{
    switch (format_) {
    case EFormat::Tsv:
        return;
    case EFormat::Json:
        std::cout << (nombre_ == 0 ? "[]\n" : "\n]\n");
        return;
    case EFormat::Texte: {
        if (lignesTexte_.empty() && !titresSansLigne)
            return;
        std::vector<std::string> titres = {"Nom", "Taille", "Créé", "Modifié", "Accédé", "Attribut", "Dossier"};
        if (colonnes_.statut)
            titres.insert(titres.begin(), "Statut");
        std::cout << tableauTexte(titres, lignesTexte_);
        lignesTexte_.clear();
        return;
    }
    }
}
