#pragma once
// The second query of the comparison benchmarks: a copy of the first as a later capture
// of the same disk would find it.

class CAlea;
class CDossier;

// In about one folder in ten of `d` and beneath it: a file renamed, one resized, one
// removed, one added.
void modifierCopie(CDossier& d, CAlea& alea);
