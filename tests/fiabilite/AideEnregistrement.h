#pragma once
// The child side of the scenarios. The test program, started as
//
//   tests_fiabilite --aide enregistrer PREFIXE CHEMIN ETAPE...
//
// (inside a private mount namespace, under a file-size limit, as another user...) saves
// one catalogue per ETAPE ("entries:path length:letter", see remplirCatalogue) to
// CHEMIN and reports what it saw as "PREFIXE.N.key=value" lines, N counting the steps
// from 1: pret (just before the save), resultat (ok or echec), message, modifie (the
// document still marked modified), intact (the file as it was before the save),
// conforme (the file holds what was saved), temporaires (our temporary files beside it).
//
//   tests_fiabilite --aide serveur CHEMIN ETAPE_A ETAPE_B
//
// builds the two catalogues once, then for each letter 'a' or 'b' read from its input
// forks a child that saves that catalogue to CHEMIN: it reports "pid=N" (the child, to
// be killed at will) before the save, then "fin=S" once the child is gone (S: its exit
// status, or 128 plus the signal that ended it). A fork costs far less than building a
// large catalogue again for every kill.

#include <string>
#include <vector>

// Whether the command line asks for the helper.
bool estAppelAide(int argc, char** argv);
// Runs the helper with the arguments after "--aide"; the exit status.
int executerAide(const std::vector<std::string>& arguments);
