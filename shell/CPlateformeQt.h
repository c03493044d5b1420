#pragma once
// The Linux services in the window program: the desktop opener is waited for without
// freezing the windows.

#include "platform/linux/CPlateformeLinux.h"

class CPlateformeQt : public CPlateformeLinux {
public:
    // A busy cursor while the opener runs.
    bool ouvrir(const std::string& chemin) override;

protected:
    // The windows keep painting, and timers run, while the opener is waited for; what
    // the user types or clicks waits until it is done.
    void patienter(std::chrono::milliseconds pause) override;
};
