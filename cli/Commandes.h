#pragma once
// The commands of norvanel-cli. Each takes the words after its name and returns the
// exit code; misuse throws SErreurUsage, bad input SErreurDonnees.

#include <string>
#include <vector>

using Mots = std::vector<std::string>;

int commandeNew(const Mots& mots);
int commandeMkbinder(const Mots& mots);
int commandeAdd(const Mots& mots);
int commandeUpdate(const Mots& mots);
int commandeRename(const Mots& mots);
int commandeRm(const Mots& mots);
int commandeTree(const Mots& mots);
int commandeInfo(const Mots& mots);
int commandeDump(const Mots& mots);
int commandeSearch(const Mots& mots);
int commandeFind(const Mots& mots);
int commandeCompare(const Mots& mots);
int commandePrint(const Mots& mots);
