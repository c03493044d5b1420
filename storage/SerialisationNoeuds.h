#pragma once
// The records of a catalogue file, node by node: each record's fields written or read
// in the same order; reading builds the tree as it goes, aside, and it takes the
// document's place only once the whole file was read.

#include <string_view>

class CArchive;
class CDoc;
class CDossier;
class CFichier;

void serialiserDocument(CArchive& ar, CDoc& doc);

// The file record at the start of `octets` (found at one of CArchive::debutsFichiers),
// read alone into a new entry of `dossier`; CErreurLecture when it holds none.
CFichier& lireFichierSeul(std::string_view octets, CDossier& dossier);
