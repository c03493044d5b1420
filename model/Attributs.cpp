#include "model/Attributs.h"

#include "platform/CPlateforme.h"

namespace {

struct SLettre {
    char lettre;
    std::uint32_t bit;
};

constexpr SLettre kLettres[] = {
    {'R', kAttrLectureSeule},
    {'H', kAttrCache},
    {'S', kAttrSysteme},
    {'A', kAttrArchive},
};

} // namespace

void lettresDepuisMasque(std::uint32_t masque, char (&lettres)[5])
{
    char* suivante = lettres;
    for (const SLettre& l : kLettres)
        if (masque & l.bit)
            *suivante++ = l.lettre;
    *suivante = '\0';
}

std::uint32_t masqueDepuisLettres(const char (&lettres)[5])
{
    std::uint32_t masque = 0;
    for (char c : lettres) {
        if (c == '\0')
            break;
        for (const SLettre& l : kLettres)
            if (c == l.lettre)
                masque |= l.bit;
    }
    return masque;
}
