#pragma once
// What can be opened with the desktop: files, folders and queries (workspace/Ouverture.h
// opens them).

#include "model/CElement.h"

class COuvrable : public virtual CElement {
public:
    COuvrable* commeOuvrable() override { return this; }

    // False for a folder that is the root of its volume.
    virtual bool aDossierContenant() const = 0;
};
