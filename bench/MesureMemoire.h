#pragma once
// Peak memory of a load, measured in a fresh process: this program run again with the
// arguments given, so that nothing the parent allocated before is counted or reused.

#include <cstddef>
#include <string>
#include <vector>

// The peak resident size of this process so far (VmHWM), in bytes; -1 if unknown.
long long pointeMemoire();

// What the child prints on its standard output: the entries it loaded and its peak
// resident size before and after the load.
void rapporterMemoire(std::size_t entrees, long long avant, long long apres);

// Runs /proc/self/exe with `arguments` (the child reports through rapporterMemoire)
// and returns the bytes per entry the load took, or -1 when the child failed.
// `libelle` names the line printed.
double octetsParEntreeEnfant(const std::vector<std::string>& arguments, const char* libelle);
