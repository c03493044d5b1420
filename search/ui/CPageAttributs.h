#pragma once
// "Attributs" (dialog 106): read-only, hidden, system and archive, each a three-state
// box: unchecked the file must not have it, checked it must, grey either.

#include <array>
#include <cstdint>

#include "search/ui/CPageRecherche.h"

class QCheckBox;

class CPageAttributs : public CPageRecherche {
    Q_OBJECT
public:
    explicit CPageAttributs(QWidget* parent = nullptr);

    void charger(const CCriteres& criteres) override;
    bool lire() override;
    void ecrire(CCriteres& criteres) const override;

    // The boxes' numbers, in the record's order: read-only, hidden, system, archive.
    static constexpr std::array<int, 4> kIds = {1055, 1056, 1057, 1045};

private:
    std::array<QCheckBox*, 4> cases_;
    std::array<std::int32_t, 4> tests_{};
};
