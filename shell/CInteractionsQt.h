#pragma once
// The dialogs node operations open. Until the query parameters dialog and the
// properties dialogs exist, a query's folder is chosen with the folder picker and
// the properties show in a plain message window.

#include "model/CInteractions.h"

class QWidget;

class CInteractionsQt : public CInteractions {
public:
    void afficherProprietes(const SProprietes& proprietes) override;
    // Asks for the folder to list; on OK the query lists that folder.
    bool editerParametres(CRequete& requete, bool creation) override;

    void definirFenetre(QWidget* fenetre) { fenetre_ = fenetre; }

private:
    QWidget* fenetre_ = nullptr;
};
