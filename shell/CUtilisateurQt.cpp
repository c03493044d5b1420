#include "shell/CUtilisateurQt.h"

#include <cstdio>

#include "dialogs/CParametresDlg.h"
#include "dialogs/CProprietesDlg.h"
#include "platform/TexteAffichable.h"
#include "search/ui/CRechercheSheet.h"
#include "shell/CBarreEtat.h"
#include "ui/BoiteMessage.h"
#include "ui/CheminsQt.h"

EReponse CUtilisateurQt::message(const std::string& texte, EBoutons boutons, EIcone icone)
{
    if (console_) {
        std::fprintf(stderr, "norvanel : %s\n", texteAffichable(texte, EEchappement::Message).c_str());
        return reponseSansUtilisateur(boutons);
    }
    return afficherMessage(fenetre_, texte, boutons, icone);
}

std::optional<std::string> CUtilisateurQt::choisirDossier(const std::string& titre)
{
    return ::choisirDossier(fenetre_, titre);
}

void CUtilisateurQt::afficherProprietes(const SProprietes& proprietes)
{
    CProprietesDlg dialogue(proprietes, fenetre_);
    dialogue.exec();
}

bool CUtilisateurQt::editerParametres(CRequete& requete, bool creation)
{
    CParametresDlg dialogue(requete, creation, fenetre_, &editerCriteresAvances);
    return dialogue.exec() == QDialog::Accepted;
}

void CUtilisateurQt::rechercheFaite(std::size_t trouves)
{
    if (CBarreEtat* barre = fenetre_ ? fenetre_->findChild<CBarreEtat*>() : nullptr)
        barre->annoncerFichiersTrouves(trouves);
}
