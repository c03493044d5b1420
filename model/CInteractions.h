#pragma once
// Dialogs that node operations open. The window program implements them; the
// command-line tool and the tests answer them without a screen.

#include <cstdint>
#include <string>

class CRequete;

// What the properties dialog of a binder, a query or a folder shows.
struct SProprietes {
    std::string titre;
    bool avecVolume = false;      // queries and folders: volume name and serial
    std::string nomVolume;
    std::uint32_t numeroSerie = 0;
    std::uint32_t dossiers = 0;
    std::uint32_t fichiers = 0;
    std::uint32_t tailleTotale = 0;
};

class CInteractions {
public:
    virtual ~CInteractions() = default;
    virtual void afficherProprietes(const SProprietes& proprietes) = 0;
    // Query parameters dialog on `requete`; true on OK (the query then holds the new
    // values), false on Cancel (the query is unchanged).
    virtual bool editerParametres(CRequete& requete, bool creation) = 0;
};
