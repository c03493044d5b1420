#pragma once
// A file's values as other programs read them: sizes as plain numbers of bytes, dates
// as "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS" (ISO 8601 with a space, which spreadsheets
// recognise), names and paths as stored. What the command line's tsv and json, and the
// exports of the lists, write.

#include <string>
#include <vector>

class CDate;
class CDateHeure;
class CFichier;

// Zero-padded from the fields as they stand.
std::string dateBrute(const CDate& d);
std::string dateHeureBrute(const CDateHeure& d);

// The seven cells of a file row (name, size, created, modified, accessed, attributes,
// folder); a value the file's query does not store is left empty.
std::vector<std::string> cellulesBrutes(const CFichier& f);
