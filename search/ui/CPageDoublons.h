#pragma once
// "Doublons" (dialog 109): no duplicate test, or files with a twin equal on the chosen
// values (name, creation, modification, access, size).

#include <array>
#include <cstdint>

#include "search/ui/CPageRecherche.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;

class CPageDoublons : public CPageRecherche {
    Q_OBJECT
public:
    explicit CPageDoublons(QWidget* parent = nullptr);

    void charger(const CCriteres& criteres) override;
    bool lire() override;
    void ecrire(CCriteres& criteres) const override;

    // The five boxes' numbers: name, creation, modification, access, size.
    static constexpr std::array<int, 5> kIds = {1061, 1062, 1063, 1064, 1065};

private:
    void activer();

    QButtonGroup* doublons_;
    QRadioButton* sans_;
    QRadioButton* avec_;
    std::array<QCheckBox*, 5> cases_;

    std::int32_t valeurDoublons_ = 0;
    std::array<std::int32_t, 5> memes_{};
};
