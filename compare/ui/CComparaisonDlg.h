#pragma once
// The comparison results window (151): one row per file of the two queries compared
// last, its comparison status as the picture of the first column, and under the list a
// legend of the three pictures naming the two queries. Until a comparison runs, and
// again once one of the two queries is destroyed, it is untitled "Aucune comparaison
// n'a été effectuée", without legend or rows. The program registers it as the
// application's comparison results list for as long as it exists.

#include <array>

#include "model/CResultatsComparaison.h"
#include "ui/CResultatsDlg.h"

class CEtiquetteAbregee;
class CImagesApplication;
class QWidget;

class CComparaisonDlg final : public CResultatsDlg, private CResultatsComparaison {
    Q_OBJECT
public:
    // Icon 151, the sort arrows and the three status pictures come from `images`.
    CComparaisonDlg(const CImagesApplication& images, QWidget* parent);

    // The window as the list a comparison fills.
    CResultatsComparaison& commeResultats() { return *this; }

    // The comparison's list operations are the window's own.
    void vider() override { CResultatsDlg::vider(); }
    void ajouterLigne(CFichier* fichier, std::int32_t statut) override { CResultatsDlg::ajouterLigne(fichier, statut); }
    void retirerFichier(const CFichier* fichier) override { CResultatsDlg::retirerFichier(fichier); }
    void retirerFichiers(const std::vector<const CFichier*>& fichiers) override { CResultatsDlg::retirerFichiers(fichiers); }
    void relireNoms() override { ecrireTextes(); }

    // The legend of status 0, 1 or 2, whole; the legend area under the list.
    QString legende(int statut) const;
    const QWidget& zoneLegende() const { return *zoneLegende_; }

signals:
    // Back to the start state: no comparison is shown any more.
    void paireOubliee();

protected:
    std::string legendeExport() const override;
    std::string texteStatutExport(std::int32_t statut) const override;

private:
    void definirPaire(CRequete* premiere, CRequete* seconde) override;
    // The title and the legends, from the pair's names as they are now.
    void ecrireTextes();

    CRequete* premiere_ = nullptr;
    CRequete* seconde_ = nullptr;
    QWidget* zoneLegende_;
    std::array<CEtiquetteAbregee*, 3> legendes_{};
};
