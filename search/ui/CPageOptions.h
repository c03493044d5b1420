#pragma once
// "Options" (dialog 108): whether the search enters sub-folders and hidden folders.
// Search form only.

#include <cstdint>

#include "search/ui/CPageRecherche.h"

class QCheckBox;

class CPageOptions : public CPageRecherche {
    Q_OBJECT
public:
    explicit CPageOptions(QWidget* parent = nullptr);

    void charger(const CCriteres& criteres) override;
    bool lire() override;
    void ecrire(CCriteres& criteres) const override;

private:
    QCheckBox* sousDossiers_;
    QCheckBox* caches_;
    std::int32_t rechercherSousDossiers_ = 0;
    std::int32_t rechercherCaches_ = 0;
};
