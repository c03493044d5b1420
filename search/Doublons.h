#pragma once
// Duplicate detection: narrowing a set of files to those that have a twin, a file of
// the same set equal on every chosen value (name, creation, modification, access,
// size). Files are grouped by a hash of those values, so the pass is linear.

#include <vector>

class CCriteres;
class CDossier;
class CFichier;
struct SAvancement;

// Candidates are every file for a capture filter, the found files for a search. A
// candidate keeps found mark 1 exactly when another candidate is its twin, else gets
// 0; the other files keep their marks. A value the file's query does not store counts
// as equal.
// `avancement`: told of the pass, may stop it (CPouls).
void passeDoublons(const std::vector<CFichier*>& liste, const CCriteres& criteres, SAvancement* avancement = nullptr);

// After the pass, as a capture filter: destroys every file beneath `dossier` whose
// mark is 0, then, unless the query keeps empty folders, removes the folders left
// without files and sub-folders (never the query's root).
void filtrerCapture(CDossier& dossier, const CCriteres& criteres);
