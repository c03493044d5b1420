#pragma once
// Progress of a capture on stderr, on one line rewritten in place.

#include <cstdio>

#include "capture/CSuiviCapture.h"
#include "platform/TexteAffichable.h"

class CSuiviTerminal : public CSuiviCapture {
public:
    bool progression(const SProgressionCapture& e) override
    {
        std::fprintf(stderr, "\r\033[K%u dossiers, %u fichiers — %s", e.dossiers, e.fichiers,
                     texteAffichable(e.dossierCourant).c_str());
        std::fflush(stderr);
        affiche_ = true;
        return true;
    }
    ~CSuiviTerminal() override
    {
        if (affiche_)
            std::fprintf(stderr, "\r\033[K");
    }

private:
    bool affiche_ = false;
};
