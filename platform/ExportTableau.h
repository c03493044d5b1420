#pragma once
// Rows of text cells written for other programs: a CSV file for spreadsheets and a
// standalone HTML page for browsers. Both are written row by row (a million rows never
// wait in memory as text).
//
// CSV follows RFC 4180: cells separated by commas, a cell holding a comma, a double
// quote, a carriage return or a line feed is quoted and its quotes doubled, CRLF ends
// each row; the file starts with a UTF-8 byte-order mark, so that spreadsheets read the
// accents, then one row of column titles.
//
// Two things a spreadsheet would misread are written so that nothing is lost:
// - a cell that starts with '=', '+', '-', '@' (a formula to a spreadsheet), or with
//   an apostrophe, gets one apostrophe before it: the spreadsheet shows it as text, and
//   the original is the cell less its first apostrophe;
// - a byte that is not part of valid UTF-8 is written "\xHH" (lower-case hex), and a
//   backslash that would read as such an escape as "\x5c": every escape reads one way
//   back, and a Windows path keeps its backslashes.
// The HTML page escapes every text (&, <, >, ", '), writes invalid bytes and controls
// other than tab and line feed (a carriage return too, which a browser would drop) as
// "\xHH" too, and needs no other file.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A cell as CSV and HTML write it (invalid bytes and ambiguous backslashes escaped).
// With `controles`, C0 controls (tab and line feed aside) and DEL are escaped too.
std::string celluleSansPerte(std::string_view texte, bool controles = false);

// The byte-order mark and the titles' row.
std::string debutCsv(const std::vector<std::string>& titres);
// One row, CRLF included.
std::string ligneCsv(const std::vector<std::string>& cellules);

// The page up to its rows: `titre` as its title and heading, `legende` (may be empty)
// under it, the columns' titles. `numeriques[i]`: column i is aligned right.
std::string debutHtml(std::string_view titre, std::string_view legende, const std::vector<std::string>& titres,
                      const std::vector<bool>& numeriques);
std::string ligneHtml(const std::vector<std::string>& cellules, const std::vector<bool>& numeriques);
std::string finHtml();

// A list as a window shows it: its columns in their shown order, its rows in their sort
// order, each cell the raw value (model/ValeursBrutes.h).
struct STableauExporte {
    std::string titre;
    std::string legende;
    std::vector<std::string> titres;
    std::vector<bool> numeriques;
    std::vector<std::vector<std::string>> lignes;
};

enum class EFormatExport { Csv, Html };

// The whole file, piece by piece, to `sortie`.
void ecrireTableau(const STableauExporte& tableau, EFormatExport format,
                   const std::function<void(std::string_view)>& sortie);
