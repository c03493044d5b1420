#pragma once
// What a results window asks of the window program, which alone knows the document
// windows: showing a file in its document's window, and announcing the long operation
// while the desktop opens a file.

class CAnnonceTravailLong;
class CFichier;

class CHoteResultats {
public:
    // Selects the file's folder in its document's tree, then its row in the list pane.
    virtual void localiser(CFichier& fichier) = 0;
    virtual CAnnonceTravailLong& annonceTravailLong() = 0;

protected:
    ~CHoteResultats() = default;
};
