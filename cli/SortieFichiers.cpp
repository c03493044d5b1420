#include "cli/SortieFichiers.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/SortieStandard.h"
#include "model/ValeursBrutes.h"
#include "model/CFichier.h"
#include "platform/ExportTableau.h"
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
    if (f == "csv")
        return EFormat::Csv;
    if (f == "html")
        return EFormat::Html;
    throw SErreurUsage("format inconnu : " + f + " (text, tsv, json, csv ou html)");
}

CSortieFichiers::CSortieFichiers(EFormat format, SColonnesSortie colonnes)
    : format_(format), colonnes_(std::move(colonnes)), numeriques_(numeriques())
{
    // The titles come first, whether rows follow or not.
    if (format_ == EFormat::Csv)
        std::cout << debutCsv(titres());
    else if (format_ == EFormat::Html)
        std::cout << debutHtml(colonnes_.titre, colonnes_.legende, titres(), numeriques_);
}

std::vector<std::string> CSortieFichiers::titres() const
{
    std::vector<std::string> t = {"Nom", "Taille", "Créé", "Modifié", "Accédé", "Attribut", "Dossier"};
    if (colonnes_.statut)
        t.insert(t.begin(), "Statut");
    if (colonnes_.catalogue && format_ != EFormat::Texte)
        t.push_back("Catalogue");
    return t;
}

std::vector<bool> CSortieFichiers::numeriques() const
{
    std::vector<bool> n(titres().size(), false);
    n[colonnes_.statut ? 2 : 1] = true;  // the size
    return n;
}

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
    case EFormat::Csv:
    case EFormat::Html: {
        std::vector<std::string> cellules;
        if (colonnes_.statut)
            cellules.push_back(f.marque >= 0 && std::size_t(f.marque) < colonnes_.textesStatuts.size()
                                   ? colonnes_.textesStatuts[std::size_t(f.marque)]
                                   : std::to_string(f.marque));
        for (std::string& c : cellulesBrutes(f))
            cellules.push_back(std::move(c));
        if (colonnes_.catalogue)
            cellules.push_back(catalogue);
        std::cout << (format_ == EFormat::Csv ? ligneCsv(cellules) : ligneHtml(cellules, numeriques_));
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
    case EFormat::Csv:
        return;
    case EFormat::Html:
        std::cout << finHtml();
        return;
    case EFormat::Json:
        std::cout << (nombre_ == 0 ? "[]\n" : "\n]\n");
        return;
    case EFormat::Texte: {
        if (lignesTexte_.empty() && !titresSansLigne)
            return;
        std::cout << tableauTexte(titres(), lignesTexte_);
        lignesTexte_.clear();
        return;
    }
    }
}
