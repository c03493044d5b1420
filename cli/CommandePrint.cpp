// print: the catalogue's pages, as the program prints them, in an A4 PDF. Drawing them
// takes Qt's graphics library, which norvanel-cli does not load: a program of its own
// does it (cli/pdf/), run in this process's place once the arguments are checked, so
// that its output and exit code are the command's.

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "cli/Arguments.h"
#include "cli/Commandes.h"
#include "platform/RaisonSysteme.h"

namespace {

constexpr const char* kProgrammeImpression = "norvanel-cli-pdf";

// Beside this program (the build, or an installation in one folder), else in the
// libexec folder of an installation.
std::string programmeImpression()
{
    std::error_code erreur;
    const std::filesystem::path ici = std::filesystem::read_symlink("/proc/self/exe", erreur).parent_path();
    const std::filesystem::path candidats[] = {ici / kProgrammeImpression,
                                               ici / ".." / "libexec" / "norvanel" / kProgrammeImpression};
    for (const auto& c : candidats)
        if (::access(c.c_str(), X_OK) == 0)
            return c.string();
    return candidats[0].string();
}

} // namespace

int commandePrint(const Mots& mots)
{
    CArguments args(mots, {{"pdf", true}});
    args.exigerOperandes(1, 1);
    const auto pdf = args.valeur("pdf");
    if (!pdf)
        throw SErreurUsage("il faut --pdf SORTIE.pdf");
    std::string programme = programmeImpression();
    std::string catalogue = args.operandes()[0];
    std::string sortie = *pdf;
    std::vector<char*> arguments{programme.data(), catalogue.data(), sortie.data(), nullptr};
    std::cout.flush();
    ::execv(programme.c_str(), arguments.data());
    throw SErreurDonnees("impossible de lancer « " + programme + " », qui dessine les pages : " + raisonSysteme(errno));
}
