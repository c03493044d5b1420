#pragma once
// What a results window asks of the window program, which alone knows the document
// windows and the operations: showing a file in its document's window, opening it with
// the desktop, and announcing the long operation while the desktop opens it.

class CAnnonceTravailLong;
class CFichier;

struct STableauExporte;

class CHoteResultats {
public:
    // Selects the file's folder in its document's tree, then its row in the list pane.
    virtual void localiser(CFichier& fichier) = 0;
    // "&Ouvrir", or "Ouvrir le &dossier contenant" with `dossierContenant`.
    virtual void ouvrir(CFichier& fichier, bool dossierContenant) = 0;
    virtual CAnnonceTravailLong& annonceTravailLong() = 0;
    // "&Exporter...": asks where, then writes the list (CSV or HTML).
    virtual void exporter(const STableauExporte& tableau) = 0;

protected:
    ~CHoteResultats() = default;
};
