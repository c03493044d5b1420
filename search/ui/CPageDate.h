#pragma once
// "Date" (dialog 105): the creation, modification and access ranges, each a check box
// and two dates of three fields (day, month, year), through the date range exchange
// of model/EchangeDates.h.

#include <array>

#include "model/CPlageDates.h"
#include "search/ui/CPageRecherche.h"

class QCheckBox;
class QLineEdit;

class CPageDate : public CPageRecherche {
    Q_OBJECT
public:
    explicit CPageDate(QWidget* parent = nullptr);

    void charger(const CCriteres& criteres) override;
    bool lire() override;
    void ecrire(CCriteres& criteres) const override;

    // The three rows: creation, modification, access.
    static constexpr int kLignes = 3;
    // Base numbers of the rows: the check box, then the six fields.
    static constexpr std::array<int, kLignes> kBases = {1031, 1038, 1045};

private:
    struct SLigne {
        QCheckBox* active;
        std::array<QLineEdit*, 6> champs;   // from day, month, year, to day, month, year
    };
    void activer(const SLigne& ligne);

    std::array<SLigne, kLignes> lignes_;
    std::array<CPlageDates, kLignes> plages_;
};
