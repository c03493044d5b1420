#pragma once
// "Taille" (dialog 107): all sizes, or sizes equal to, at least or at most a value in
// octets, Ko, Mo or Go.

#include <cstdint>

#include "search/ui/CPageRecherche.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CPageTaille : public CPageRecherche {
    Q_OBJECT
public:
    explicit CPageTaille(QWidget* parent = nullptr);

    void charger(const CCriteres& criteres) override;
    bool lire() override;
    void ecrire(CCriteres& criteres) const override;

    // The largest value the field takes.
    static constexpr std::uint32_t kValeurMaximum = 99999;
    // What the user is told of a value that is not a whole number within 0..99999.
    static const char* const kMessageValeur;

private:
    void activer();

    QButtonGroup* test_;
    QRadioButton* toutes_;
    QRadioButton* taille_;
    QComboBox* comparaison_;
    QLineEdit* valeur_;
    QComboBox* unite_;

    std::int32_t testTaille_ = 0;
    std::int32_t indiceComparaison_ = 0;
    std::uint32_t valeurTaille_ = 0;
    std::int32_t indiceUnite_ = 0;
};
