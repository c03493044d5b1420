#pragma once
// The pulse of a long pass over files: every kPas files the user is told that the work
// goes on (CUtilisateur::travailEnCours), so that a window program stays painted
// during a search or a comparison over millions of files. Costs one increment per file.

#include <cstdint>

#include "model/CUtilisateur.h"

class CPouls {
public:
    static constexpr std::uint32_t kPas = 16384;

    void operator()()
    {
        if (++compte_ == kPas) {
            compte_ = 0;
            utilisateur().travailEnCours();
        }
    }

private:
    std::uint32_t compte_ = 0;
};
