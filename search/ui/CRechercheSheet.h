#pragma once
// The search sheet: a tabbed dialog over one criteria record, in two forms.
//
//   "Rechercher"           the application's search criteria: pages Domaine, Date,
//                          Taille, Attributs, Doublons, Options.
//   "Propriétés avancées"  a query's advanced criteria (scope 3): pages Date, Taille,
//                          Attributs, Doublons; the pattern, the scope, the target and
//                          the two options stay as the record holds them.
//
// The pages load their copies from the record when the sheet opens; a page is read
// back when it is left (a refused value keeps it in front, focus on the field) and the
// active one on OK; only OK writes the record, then recomputes its size divisor.
// OK and Annuler stand side by side at the right; there is no Apply button.

#include <QDialog>
#include <QList>

class CCriteres;
class CElement;
class CPageRecherche;
class QPushButton;
class QTabWidget;

class CRechercheSheet : public QDialog {
    Q_OBJECT
public:
    // Search form on `criteres`; `selection` is the node of the selected tree item, or
    // the document root when none is selected. The record, the node and its document
    // must outlive the sheet (it is modal).
    CRechercheSheet(CCriteres& criteres, CElement& selection, QWidget* parent);
    // Advanced form on a query's advanced criteria.
    CRechercheSheet(CCriteres& criteres, QWidget* parent);

    QTabWidget& onglets() const { return *onglets_; }
    // The pages shown, in tab order.
    const QList<CPageRecherche*>& pages() const { return pages_; }
    // The page of class T, or none when the form does not show it.
    template <class T>
    T* page() const
    {
        for (CPageRecherche* p : pages_)
            if (auto* t = qobject_cast<T*>(p))
                return t;
        return nullptr;
    }
    QPushButton* boutonOK() const { return ok_; }
    QPushButton* boutonAnnuler() const { return annuler_; }

    // The active page's checks, then every page written into the record.
    void accept() override;

private:
    void construire(const QString& titre, QList<CPageRecherche*> pages);
    void ongletChoisi(int indice);

    CCriteres& criteres_;
    QTabWidget* onglets_ = nullptr;
    QList<CPageRecherche*> pages_;
    int pageActive_ = 0;
    QPushButton* ok_ = nullptr;
    QPushButton* annuler_ = nullptr;
};

// Runs the advanced form on `criteres` over `parent`; true on OK, when `criteres`
// holds what the user chose. The query parameters dialog reaches it through the
// window program (dialogs/ does not include search/ui/).
bool editerCriteresAvances(CCriteres& criteres, QWidget* parent);
