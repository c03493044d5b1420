#pragma once
// "&Rechercher..." (32793, F3) of a document window: the search sheet on the
// application's criteria and the window's selection; on OK the search runs over the
// open documents, every tree republishes its selection (the search filter shows the
// new marks), the status bar says how many files were found and the results window
// comes forward. The program plugs it in at start-up.

class CChildFrame;
class QWidget;
struct SServicesFenetres;

// `resultats`: the results window, which the search names.
void rechercherDepuis(const SServicesFenetres& services, CChildFrame& cadre, QWidget& resultats);
