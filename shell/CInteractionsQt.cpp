#include "shell/CInteractionsQt.h"

#include "dialogs/CParametresDlg.h"
#include "dialogs/CProprietesDlg.h"

void CInteractionsQt::afficherProprietes(const SProprietes& proprietes)
{
    CProprietesDlg dialogue(proprietes, fenetre_);
    dialogue.exec();
}

bool CInteractionsQt::editerParametres(CRequete& requete, bool creation)
{
    CParametresDlg dialogue(requete, creation, fenetre_);
    return dialogue.exec() == QDialog::Accepted;
}
