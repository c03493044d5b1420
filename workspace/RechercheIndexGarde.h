#pragma once
// A quick search answered from a catalogue's kept index alone, for the command line:
// what it finds is read from the catalogue's own records, where the index says.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "search/MotsRapides.h"
#include "workspace/IndexGardeCatalogue.h"

class CFichier;
class CRequete;

// The files a quick search finds through a kept index, each read from the catalogue's
// own record into a folder of its stored path, in a query of its stored values: they
// print as the loaded catalogue's would, in the same order.
class CTrouvaillesGardees {
public:
    CTrouvaillesGardees();
    ~CTrouvaillesGardees();
    CTrouvaillesGardees(CTrouvaillesGardees&&) noexcept;
    const std::vector<const CFichier*>& fichiers() const { return fichiers_; }

private:
    friend std::optional<CTrouvaillesGardees> chercherParIndexGarde(int, std::uint64_t, const SIndexGardeOuvert&,
                                                                   const std::vector<SMotRapide>&);
    std::vector<std::unique_ptr<CRequete>> requetes_;
    std::vector<const CFichier*> fichiers_;
};

// Searches `index` for `mots`, reading what it finds from the catalogue open as `fd`
// (`taille` bytes). nullopt when a record is not where the index says or not the file
// it names: the catalogue is then read whole instead.
std::optional<CTrouvaillesGardees> chercherParIndexGarde(int fd, std::uint64_t taille, const SIndexGardeOuvert& index,
                                                         const std::vector<SMotRapide>& mots);
