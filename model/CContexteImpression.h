#pragma once
// What printing needs of a device: its vertical geometry, the print font and three
// ways of drawing. One unit is one device pixel everywhere; the page layout computes
// device coordinates itself, so the device keeps no origin of its own.

#include <string>

// A rectangle of the page in device pixels: left and top included, right and bottom
// excluded.
struct SRectangle {
    int gauche = 0;
    int haut = 0;
    int droite = 0;
    int bas = 0;
};

class CContexteImpression {
public:
    virtual ~CContexteImpression() = default;

    // Height of the page in pixels and in millimetres (0 when the device cannot say).
    virtual int resolutionVerticale() const = 0;
    virtual int tailleVerticaleMm() const = 0;

    // Selects the 10-point "Arial" print font, made for this device's resolution,
    // keeping the font selected before; restaurerPolice() selects that one back.
    virtual void selectionnerPolice() = 0;
    virtual void restaurerPolice() = 0;
    // Character height (ascent + descent) of the selected font, in pixels.
    virtual int hauteurCaractere() const = 0;
    // Width of a UTF-8 text in the selected font, in pixels.
    virtual int largeurTexte(const std::string& texte) const = 0;

    // Texts are UTF-8. `y` is the top of the text's line.
    virtual void ecrire(int x, int y, const std::string& texte) = 0;
    // The text ends at `x`.
    virtual void ecrireADroite(int x, int y, const std::string& texte) = 0;
    virtual void tracerLigneHorizontale(int x1, int x2, int y) = 0;
};
