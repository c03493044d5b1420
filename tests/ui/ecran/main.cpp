// The screen tests need a real X display: they start their own virtual X server (Xvfb);
// when Xvfb is missing they are skipped and say why.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "tests/ui/ProgrammeDeTest.h"
#include "tests/ui/ecran/Ecran.h"
#include "tests/ui/ecran/EcranVirtuel.h"

namespace {

bool chercherProgramme(const char* nom)
{
    const char* chemin = std::getenv("PATH");
    std::string dossiers = chemin ? chemin : "/usr/bin:/bin";
    std::size_t debut = 0;
    while (debut <= dossiers.size()) {
        const std::size_t fin = dossiers.find(':', debut);
        const std::string d = dossiers.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
        if (!d.empty() && access((d + "/" + nom).c_str(), X_OK) == 0)
            return true;
        if (fin == std::string::npos)
            break;
        debut = fin + 1;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    bool liste = false;
    for (int i = 1; i < argc; ++i)
        liste = liste || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    CEcranVirtuel xvfb;
    if (!liste) {
        if (!chercherProgramme("Xvfb")) {
            ecran::raisonSansEcran() = "Xvfb est absent (paquet Debian xvfb) : pas d'écran X pour ces tests";
        } else {
            const std::string affichage = xvfb.demarrer(ecran::raisonSansEcran());
            if (!affichage.empty()) {
                setenv("DISPLAY", affichage.c_str(), 1);
                unsetenv("XAUTHORITY");
            }
        }
    }
    if (!ecran::raisonSansEcran().empty() || liste) {
        ::testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    }

    qputenv("QT_QPA_PLATFORM", "xcb");
    return executerTestsFenetres(argc, argv);
}
