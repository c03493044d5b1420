#pragma once
// Rows of files written as they come, in one of the formats: tsv, json, csv and html
// go out row by row (a million rows never wait in memory as files), text keeps only its
// cells until the end, where it aligns the columns.

#include <string>
#include <vector>

#include "cli/Formats.h"

class CArguments;
class CFichier;

// --format text|tsv|json|csv|html (text when absent); SErreurUsage for another value.
EFormat lireFormat(const CArguments& args);

struct SColonnesSortie {
    bool statut = false;     // the comparison status first (CFichier::marque)
    bool catalogue = false;  // the catalogue's path last in tsv and csv, as a member in json
    // csv and html: the statuses in words (one per status), the page's title and legend.
    std::vector<std::string> textesStatuts;
    std::string titre;
    std::string legende;
};

class CSortieFichiers {
public:
    CSortieFichiers(EFormat format, SColonnesSortie colonnes);

    // `catalogue` is written only when the columns ask for it.
    void ajouter(const CFichier& f, const std::string& catalogue = {});
    // Ends the output: the text table (its titles alone when `titresSansLigne` and no
    // row came), or the end of the JSON array ("[]" when empty).
    void terminer(bool titresSansLigne);

private:
    std::vector<std::string> titres() const;
    std::vector<bool> numeriques() const;

    EFormat format_;
    SColonnesSortie colonnes_;
    std::size_t nombre_ = 0;
    std::vector<bool> numeriques_;
    std::vector<std::vector<std::string>> lignesTexte_;
};
