#pragma once
// The Linux services in the window program: the desktop opener is not waited for, so
// the windows stay live while it works.

#include "platform/linux/CPlateformeLinux.h"

class CPlateformeQt : public CPlateformeLinux {
public:
    // Returns once the opener started; its failure is told later on the interface
    // thread, where `echec` may show a message box.
    bool ouvrir(const std::string& chemin, std::function<void()> echec) override;
};
