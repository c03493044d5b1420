#pragma once
// The Linux services in the window program: the desktop opener is not waited for, so
// the windows stay live while it works.

#include <memory>

#include "platform/linux/CPlateformeLinux.h"

class CPlateformeQt : public CPlateformeLinux {
public:
    ~CPlateformeQt() override;

    // Returns once the opener started; its failure is told later on the interface
    // thread, where `echec` may show a message box, unless this platform (and the
    // program's windows and user with it) has gone meanwhile.
    bool ouvrir(const std::string& chemin, std::function<void()> echec) override;

private:
    // Read and written on the interface thread only.
    std::shared_ptr<bool> vivante_ = std::make_shared<bool>(true);
};
