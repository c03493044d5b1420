#pragma once
// The criteria of a search, and of a query's advanced capture filter.

#include <cstdint>
#include <string>

#include "model/CPlageDates.h"

class CElement;

// Scope of a criteria record.
enum : std::int32_t {
    kPorteeTousClasseurs = 0,
    kPorteeObjetSelectionne = 1,
    kPorteeFiltreCapture = 3,
};

// Size comparisons.
enum : std::int32_t {
    kTailleEgale = 0,
    kTailleAuMoins = 1,
    kTailleAuPlus = 2,
};

// Attribute tests.
enum : std::int32_t {
    kAttributAbsent = 0,
    kAttributPresent = 1,
    kAttributIndifferent = 2,
};

class CCriteres {
public:
    // Every field zero and every range inactive with unset dates; use the two factories.
    CCriteres() = default;

    // The application's criteria at start-up: empty pattern, every range inactive on
    // today, size test off, attributes either, no duplicates, sub-folders and hidden
    // folders searched.
    static CCriteres pourRecherche();
    // A new query's advanced criteria: the same, with scope 3.
    static CCriteres pourCapture();

    // Recomputes the size divisor from the unit, as the dialog does on OK.
    void accepter();

    std::string motif;
    std::int32_t portee = 0;
    CElement* cible = nullptr;   // not owned; cleared when the node is destroyed
    CPlageDates cree;
    CPlageDates modifie;
    CPlageDates accede;
    std::int32_t testTaille = 0;
    std::int32_t comparaisonTaille = kTailleEgale;
    std::uint32_t valeurTaille = 0;
    std::int32_t uniteTaille = 0;
    std::uint32_t diviseurTaille = 0;
    // Read-only, hidden, system, archive.
    std::int32_t attributs[4] = {kAttributIndifferent, kAttributIndifferent,
                                 kAttributIndifferent, kAttributIndifferent};
    std::int32_t doublons = 0;
    std::int32_t memeNom = 0;
    std::int32_t memeCreation = 0;
    std::int32_t memeModification = 0;
    std::int32_t memeAcces = 0;
    std::int32_t memeTaille = 0;
    std::int32_t rechercherSousDossiers = 0;
    std::int32_t rechercherDossiersCaches = 0;
};
