#pragma once
// "Domaine" (dialog 103): the name pattern and where to search, every binder of the
// selected object's document or the selected object itself. Search form only.

#include <cstdint>
#include <string>

#include "search/ui/CPageRecherche.h"

class CElement;
class QButtonGroup;
class QLineEdit;
class QRadioButton;

class CPageDomaine : public CPageRecherche {
    Q_OBJECT
public:
    // `selection`: the node of the selected tree item, or the document root when no
    // item is selected.
    CPageDomaine(CElement& selection, QWidget* parent = nullptr);

    void charger(const CCriteres& criteres) override;
    bool lire() override;
    void ecrire(CCriteres& criteres) const override;

    QLineEdit* champMotif() const { return motif_; }
    // The target as the page last derived it.
    CElement* cible() const { return cible_; }

private:
    bool aucuneSelection() const;

    CElement& selection_;
    QLineEdit* motif_;
    QButtonGroup* portee_;
    QRadioButton* tous_;
    QRadioButton* objet_;

    std::string texteMotif_;
    std::int32_t valeurPortee_ = 0;
    CElement* cible_;
};
