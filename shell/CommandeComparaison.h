#pragma once
// "&Comparer des requêtes..." (32798, F7) of a document window: the compare wizard over
// the active document, `premiere` chosen first (the tree's selected query, or the query
// of its selected folder); on "Terminer" the two queries are compared, every tree
// republishes its selection (the search filter shows the new marks), the status bar
// says what the comparison found and the comparison results window comes forward.
// The program plugs it in at start-up.

class CMainFrame;
class CRequete;
struct SServicesFenetres;

void comparerDepuis(const SServicesFenetres& services, CMainFrame& principal, CRequete* premiere);
