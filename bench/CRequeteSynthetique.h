#pragma once
// A document holding one query of a million-like file entries, built in memory from a
// seed, for the search and duplicate benchmarks: paths of about 96 bytes spread over
// three levels of folders, some accents and non-Latin names, a quarter of the files
// copies of an earlier one (same name, size and times) and some common names
// ("Thumbs.db", "IMG_0042.JPG") with values of their own.

#include <cstddef>
#include <cstdint>
#include <memory>

class CDoc;
class CRequete;

class CRequeteSynthetique {
public:
    // The platform must be installed first: a new query asks it for today's date.
    CRequeteSynthetique(std::size_t fichiers, std::uint64_t graine);
    ~CRequeteSynthetique();

    CRequete& requete() { return *requete_; }
    std::size_t nombreFichiers() const { return fichiers_; }
    double longueurMoyenneChemins() const { return octetsChemins_ / double(fichiers_); }

private:
    std::unique_ptr<CDoc> doc_;
    CRequete* requete_ = nullptr;
    std::size_t fichiers_ = 0;
    std::size_t octetsChemins_ = 0;
};
