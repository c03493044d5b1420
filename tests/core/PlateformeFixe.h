#pragma once
// A platform that answers fixed values, for the tests of the stored values and of the
// platform's default services, and plays the user too; installed for the life of a
// test by the fixture below.

#include "platform/CPlateforme.h"
#include "platform/Chemins.h"
#include "tests/core/UtilisateurFactice.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

class CPlateformeFixe : public CPlateforme, public CUtilisateurFactice {
public:
    SCalendrier maintenantFixe{2003, 3, 10, 14, 5, 9};
    SCalendrier heureLocaleFixe{2004, 2, 29, 23, 59, 58};
    mutable std::vector<TempsFichier> tempsConvertis;

    std::unique_ptr<CEnumeration> enumerer(const std::string&, int* = nullptr) override { return nullptr; }
    SCalendrier versHeureLocale(TempsFichier t) const override
    {
        tempsConvertis.push_back(t);
        return heureLocaleFixe;
    }
    SCalendrier maintenant() const override { return maintenantFixe; }
    std::string texteDate(std::uint32_t jour, std::uint32_t mois, std::uint32_t annee) const override
    {
        char texte[64];
        std::snprintf(texte, sizeof texte, "%02u/%02u/%04u", jour, mois, annee);
        return texte;
    }
    std::string texteHeure(std::uint32_t heure, std::uint32_t minute) const override
    {
        char texte[64];
        std::snprintf(texte, sizeof texte, "%02u:%02u", heure, minute);
        return texte;
    }
    // Mount points "/" and "/mnt/usb"; Windows paths go to their DOS root.
    std::string racine(const std::string& chemin) const override
    {
        if (chemin.empty() || chemin.front() != '/')
            return racineDos(chemin);
        return chemin.rfind("/mnt/usb", 0) == 0 ? "/mnt/usb" : "/";
    }
    std::optional<SVolume> infoVolume(const std::string&) override { return std::nullopt; }
    bool ouvrir(const std::string&, std::function<void()>) override { return false; }
    bool existe(const std::string&) const override { return false; }
};

// Installs a CPlateformeFixe as the platform for one test and puts the
// previous ones back after it.
class AvecPlateformeFixe : public ::testing::Test {
protected:
    void SetUp() override
    {
        precedente_ = definirPlateforme(&plateforme_);
    }
    void TearDown() override
    {
        definirPlateforme(precedente_);
    }

    CPlateformeFixe plateforme_;

private:
    CPlateforme* precedente_ = nullptr;
};
