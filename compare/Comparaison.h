#pragma once
// The comparison of two queries: which files of each have a counterpart in the other,
// by the values the user chose. Folders take no part: each query is one flat set of
// files, and one file may be the counterpart of several.

#include "compare/DecompteComparaison.h"
#include "compare/OptionsComparaison.h"

class CFichier;
struct SAvancement;
class CRequete;
class CResultatsComparaison;

// True when every value the options name is equal in both files, tested in the order
// name, size, creation, modification, access, attributes. Names and attribute letters
// are compared regardless of case; with no option set any two files are counterparts.
bool sontContreparties(const CFichier& x, const CFichier& y, const SOptionsComparaison& options);

// The options a comparison of `a` with `b` really applies: a value that either query
// does not store is left out, since its entries hold nothing to compare. The name is
// always stored.
SOptionsComparaison optionsApplicables(const CRequete& a, const CRequete& b, const SOptionsComparaison& options);

// Writes into the found mark of every file of `a` and `b` its comparison status (0 or 2
// for a's files, 1 or 2 for b's), refills `resultats` (if any) with a's files then
// b's, each in collection order, and tells it the pair; the documents of both then
// tell their observers. Gives how many files of each query are alone in it, and how
// many of a's have a counterpart.
SDecompteComparaison comparerRequetes(CRequete& a, CRequete& b, const SOptionsComparaison& options, CResultatsComparaison* resultats);

// The same on a job's thread: the documents are not told (annoncerMarques, on
// theirs), and `avancement` (if any) is told of the pass and may stop it (CPouls).
SDecompteComparaison comparer(CRequete& a, CRequete& b, const SOptionsComparaison& options,
                              CResultatsComparaison* resultats, SAvancement* avancement);
// The documents of `a` and `b` tell their observers that marks changed.
void annoncerMarques(CRequete& a, CRequete& b);
