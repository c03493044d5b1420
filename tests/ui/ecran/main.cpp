// The screen tests need a real X display: without one they run themselves again under
// xvfb-run (a virtual X server); when xvfb-run is missing they are skipped and say why.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/ui/ProgrammeDeTest.h"
#include "tests/ui/ecran/Ecran.h"

namespace {

constexpr const char* kMarque = "NORVANEL_SOUS_XVFB";

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
    if (!liste && !std::getenv(kMarque)) {
        if (!chercherProgramme("xvfb-run")) {
            ecran::raisonSansEcran() = "xvfb-run est absent (paquet Debian xvfb) : pas d'écran X pour ces tests";
        } else {
            setenv(kMarque, "1", 1);
            std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"),
                                       const_cast<char*>("-s"), const_cast<char*>("-screen 0 1280x800x24")};
            for (int i = 0; i < argc; ++i)
                args.push_back(argv[i]);
            args.push_back(nullptr);
            execvp("xvfb-run", args.data());
            ecran::raisonSansEcran() = "xvfb-run n'a pas pu être lancé";
        }
    }
    if (!ecran::raisonSansEcran().empty() || liste) {
        ::testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    }

    qputenv("QT_QPA_PLATFORM", "xcb");
    return executerTestsFenetres(argc, argv);
}
