#include "workspace/ExecuteurTravaux.h"

#include <string>

#include "workspace/TravailCalcul.h"
#include "workspace/TravailCapture.h"

void CExecuteurImmediat::lancer(std::shared_ptr<CTravailCapture> travail, std::function<void(const std::string&)> fin)
{
    for (std::size_t i = 0; i < travail->nombre(); ++i) {
        travail->capturer(i, suivi_, fils_);
        travail->placer(i);
    }
    const std::string textes = travail->terminer();
    if (fin)
        fin(textes);
}

void CExecuteurImmediat::lancer(std::shared_ptr<CTravailCalcul> travail)
{
    SAvancement avancement;
    travail->calculer(avancement);
    travail->terminer();
}
