#pragma once
// The dialogs node operations open: the properties of a binder, query or folder and
// the parameters of a query, modal over the main window.

#include "model/CInteractions.h"

class QWidget;

class CInteractionsQt : public CInteractions {
public:
    void afficherProprietes(const SProprietes& proprietes) override;
    bool editerParametres(CRequete& requete, bool creation) override;

    void definirFenetre(QWidget* fenetre) { fenetre_ = fenetre; }

private:
    QWidget* fenetre_ = nullptr;
};
