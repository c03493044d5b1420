#pragma once
// The standard output of the command-line tool, checked. A closed pipe (`| head`) or a
// full disk must end the command with a message and a non-zero exit, not with output
// silently cut short. SIGPIPE is ignored (see main), so a closed pipe shows up here as
// a failed write.

// Throws SErreurDonnees when something written to std::cout so far has failed.
void verifierSortie();

// Sends what is still buffered, then checks as above.
void terminerSortie();
