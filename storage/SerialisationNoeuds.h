#pragma once
// The records of a catalogue file, node by node: each record's fields written or read
// in the same order; reading builds the tree as it goes, aside, and it takes the
// document's place only once the whole file was read.

class CArchive;
class CDoc;

void serialiserDocument(CArchive& ar, CDoc& doc);
