#pragma once
// Wildcard matching of a whole path against a list of path specs, as used by the
// query filter and the name pattern of a search.

#include <string_view>

// True when `chemin` matches `motif`.
//
// `motif` is a list of specs separated by ';'; spaces before a spec are skipped. The
// path matches when it matches any spec as a whole. In a spec, '*' stands for any run
// of characters (none included, separators included), '?' for exactly one character
// (one UTF-8 sequence, or one byte that is not valid UTF-8); every other character,
// '[' included, stands for itself, letters compared without regard to case (ASCII and
// the accented Latin letters up to U+017F). The path spec "*.*" matches every path.
// A pattern without any spec (empty, or only spaces and ';') matches every path;
// otherwise empty specs match nothing.
//
// No allocation; cost linear in the path for usual patterns, at worst the product of
// the two lengths (never exponential).
bool correspondMotif(std::string_view chemin, std::string_view motif);

// True when `motif` holds no spec: empty, or only spaces and ';'.
bool motifSansSpec(std::string_view motif);
