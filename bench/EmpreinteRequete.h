#pragma once
// A query's snapshot written out as text, one line per folder and per file with every
// value the catalogue keeps, in the snapshot's own order and with paths relative to the
// query: two captures of the same tree (one through a mirror, one with more threads)
// give the same text.

#include <string>

class CRequete;

// `avecCreation`: false to leave the creation time out, for a file system that does
// not give it (the capture then stores the modification time).
std::string empreinteRequete(const CRequete& requete, bool avecCreation = true);
