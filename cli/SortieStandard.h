#pragma once
// The standard output of the command-line tool, checked. A closed pipe (`| head`) or a
// full disk must end the command with a message and a non-zero exit, not with output
// silently cut short. SIGPIPE is ignored (see main), so a closed pipe shows up here as
// a failed write.

// Throws SErreurDonnees when something written to std::cout so far has failed.
void verifierSortie();

// Sends what is still buffered, then checks as above.
void terminerSortie();

#include <string>

// Prints `ligne` once the catalogue is saved. The save decides the command's outcome:
// when the output fails then, the user is told on stderr that the catalogue was saved
// all the same, and what is left of the output goes nowhere, so the command ends as its
// save did.
void annoncerApresEnregistrement(const std::string& ligne);
