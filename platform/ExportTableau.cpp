#include "platform/ExportTableau.h"

#include "platform/PliCasse.h"
#include "platform/TexteAffichable.h"

namespace {

bool hex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string celluleCsv(const std::string& brute)
{
    std::string c = celluleSansPerte(brute);
    if (!c.empty() && (c[0] == '=' || c[0] == '+' || c[0] == '-' || c[0] == '@' || c[0] == '\''))
        c.insert(c.begin(), '\'');
    if (c.find_first_of(",\"\r\n") == std::string::npos)
        return c;
    std::string q = "\"";
    for (char o : c) {
        if (o == '"')
            q += '"';
        q += o;
    }
    return q + '"';
}

std::string echapperHtml(std::string_view brute)
{
    std::string r;
    for (char o : celluleSansPerte(brute, true)) {
        switch (o) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&#39;"; break;
        default: r += o;
        }
    }
    return r;
}

std::string cellulesHtml(const char* balise, const std::vector<std::string>& cellules,
                         const std::vector<bool>& numeriques)
{
    std::string r = "<tr>";
    for (std::size_t i = 0; i < cellules.size(); ++i) {
        const bool droite = i < numeriques.size() && numeriques[i];
        r += std::string("<") + balise + (droite ? " class=\"n\">" : ">") + echapperHtml(cellules[i]) + "</" +
             balise + ">";
    }
    return r + "</tr>\n";
}

} // namespace

std::string celluleSansPerte(std::string_view texte, bool controles)
{
    std::string r;
    r.reserve(texte.size());
    auto* p = reinterpret_cast<const pli::Octet*>(texte.data());
    const pli::Octet* fin = p + texte.size();
    while (p < fin) {
        if (*p == '\\') {
            // Read back as an escape only when "x" and two hex digits follow.
            const bool ambigu = fin - p >= 4 && p[1] == 'x' && hex(char(p[2])) && hex(char(p[3]));
            if (ambigu)
                ajouterOctetEchappe(r, *p);
            else
                r += '\\';
            ++p;
            continue;
        }
        if (*p < 0x80) {
            const bool controle = (*p < 0x20 && *p != '\t' && *p != '\n') || *p == 0x7F;
            if (controles && controle)
                ajouterOctetEchappe(r, *p);
            else
                r += char(*p);
            ++p;
            continue;
        }
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        if (c.longueur == 1 && c.code >= pli::kBaseOctetIsole)
            ajouterOctetEchappe(r, *p);
        else
            r.append(reinterpret_cast<const char*>(p), c.longueur);
        p += c.longueur;
    }
    return r;
}

std::string debutCsv(const std::vector<std::string>& titres)
{
    return "\xEF\xBB\xBF" + ligneCsv(titres);
}

std::string ligneCsv(const std::vector<std::string>& cellules)
{
    std::string r;
    for (std::size_t i = 0; i < cellules.size(); ++i) {
        if (i)
            r += ',';
        r += celluleCsv(cellules[i]);
    }
    return r + "\r\n";
}

std::string debutHtml(std::string_view titre, std::string_view legende, const std::vector<std::string>& titres,
                      const std::vector<bool>& numeriques)
{
    std::string r = "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                    echapperHtml(titre) +
                    "</title>\n<style>\n"
                    "body { font-family: sans-serif; margin: 1.5em; }\n"
                    "table { border-collapse: collapse; }\n"
                    "th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }\n"
                    "th { background: #eee; }\n"
                    "td { white-space: pre-wrap; }\n"
                    ".n { text-align: right; }\n"
                    "thead { display: table-header-group; }\n"
                    "tr { break-inside: avoid; }\n"
                    "</style>\n</head>\n<body>\n<h1>" +
                    echapperHtml(titre) + "</h1>\n";
    if (!legende.empty())
        r += "<p>" + echapperHtml(legende) + "</p>\n";
    return r + "<table>\n<thead>\n" + cellulesHtml("th", titres, numeriques) + "</thead>\n<tbody>\n";
}

std::string ligneHtml(const std::vector<std::string>& cellules, const std::vector<bool>& numeriques)
{
    return cellulesHtml("td", cellules, numeriques);
}

std::string finHtml()
{
    return "</tbody>\n</table>\n</body>\n</html>\n";
}

void ecrireTableau(const STableauExporte& t, EFormatExport format, const std::function<void(std::string_view)>& sortie)
{
    const bool csv = format == EFormatExport::Csv;
    sortie(csv ? debutCsv(t.titres) : debutHtml(t.titre, t.legende, t.titres, t.numeriques));
    // A few hundred rows a piece: few calls, little held at once.
    std::string morceau;
    for (const std::vector<std::string>& ligne : t.lignes) {
        morceau += csv ? ligneCsv(ligne) : ligneHtml(ligne, t.numeriques);
        if (morceau.size() > 64 * 1024) {
            sortie(morceau);
            morceau.clear();
        }
    }
    sortie(morceau);
    if (!csv)
        sortie(finHtml());
}
