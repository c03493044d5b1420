#pragma once
// A comparison of two queries as a job: the statuses decided on the job's thread, the
// rows handed to the comparison results list on the documents' thread at the end.
// Cancelled, every mark is as before and the list keeps its rows.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "compare/DecompteComparaison.h"
#include "compare/OptionsComparaison.h"
#include "model/CResultatsComparaison.h"
#include "workspace/TravailCalcul.h"

class CRequete;

class CTravailComparaison : public CTravailMarques {
public:
    // `liste`, asked at the end, gives the list the rows go to (none: the statuses
    // only); `fin` is then told what the comparison found, unless it was cancelled.
    CTravailComparaison(CRequete& premiere, CRequete& seconde, const SOptionsComparaison& options,
                        std::function<CResultatsComparaison*()> liste,
                        std::function<void(const SDecompteComparaison&)> fin);

    std::string titre() const override { return "Comparaison"; }

protected:
    std::vector<CDossier*> dossiersMarques() const override;
    void passe(SAvancement& avancement) override;
    void livrer() override;

private:
    // The rows, kept until they can be handed to the list on its thread.
    class CLignes : public CResultatsComparaison {
    public:
        void vider() override { lignes.clear(); }
        void ajouterLigne(CFichier* fichier, std::int32_t statut) override { lignes.emplace_back(fichier, statut); }
        void definirPaire(CRequete*, CRequete*) override {}
        void retirerFichier(const CFichier*) override {}
        std::vector<std::pair<CFichier*, std::int32_t>> lignes;
    };

    CRequete& premiere_;
    CRequete& seconde_;
    const SOptionsComparaison options_;
    std::function<CResultatsComparaison*()> liste_;
    std::function<void(const SDecompteComparaison&)> fin_;
    CLignes lignes_;
    SDecompteComparaison decompte_;
};
