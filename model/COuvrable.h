#pragma once
// Opening a catalogued path with the desktop, asking for the disk when it is missing.

#include "model/CElement.h"

class COuvrable : public virtual CElement {
public:
    COuvrable* commeOuvrable() override { return this; }

    virtual void ouvrir() = 0;
    // Opens the folder of the snapshot that lists this item.
    virtual void ouvrirDossierContenant() = 0;
    // False for a folder that is the root of its volume.
    virtual bool aDossierContenant() const = 0;
};
