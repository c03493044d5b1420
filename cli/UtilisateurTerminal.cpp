#include "cli/UtilisateurTerminal.h"

#include <cstdio>

#include "platform/TexteAffichable.h"

EReponse CUtilisateurTerminal::message(const std::string& texte, EBoutons boutons, EIcone)
{
    const std::string sur = texteAffichable(texte, EEchappement::Message);
    std::fputs("Norvanel: ", stderr);
    std::fwrite(sur.data(), 1, sur.size(), stderr);
    std::fputc('\n', stderr);
    return reponseSansUtilisateur(boutons);
}

CUtilisateurTerminal& terminal()
{
    static CUtilisateurTerminal utilisateur;
    return utilisateur;
}
