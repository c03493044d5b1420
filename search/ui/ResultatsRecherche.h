#pragma once
// The search results window as the search presents it: window 111, "Résultats de la
// recherche".

class CResultatsDlg;
class QIcon;
class QWidget;

CResultatsDlg* creerResultatsRecherche(const QIcon& icone, QWidget* parent);
