#pragma once
// A query: a named snapshot of one directory tree, taken with its own parameters. The
// query is itself the root folder of the snapshot.

#include <cstdint>
#include <memory>
#include <string>

#include "model/ResultatMiseAJour.h"
#include "model/CDossier.h"
#include "model/CNomme.h"
#include "model/CCriteres.h"

// Filter modes.
enum : std::int32_t {
    kFiltreAucun = 0,
    kFiltreInclure = 1,   // keep only files whose full path matches
    kFiltreExclure = 2,   // leave out files whose full path matches
};

// The volume label is at most 11 bytes.
inline constexpr std::size_t kLongueurNomVolume = 11;

class CRequete : public CDossier, public CNomme {
public:
    // A new query in `classeur` with the values the parameters dialog proposes.
    explicit CRequete(CClasseur* classeur);
    ~CRequete() override;

    // A full copy: parameters, volume identity and the whole snapshot. The copy
    // belongs to no binder until it is appended to one.
    std::unique_ptr<CRequete> copier() const;
    // The same, without the snapshot: what a capture reads, in no binder.
    std::unique_ptr<CRequete> copierParametres() const;

    int codeType() const override { return kTypeRequete; }
    std::string titre() const override;
    CDoc* document() const override;
    CClasseur* classeur() const override { return classeur_; }
    CRequete* requete() const override { return const_cast<CRequete*>(this); }
    bool estModifiable() const override { return true; }



    CResultat<> verifierNouveauNom(const std::string& nom) const override;

    void definirClasseur(CClasseur* classeur) { classeur_ = classeur; }

    // Who this query is for as long as the program runs: never given to another query,
    // even one at the same address later.
    std::uint64_t identifiant() const { return identifiant_; }
    // Changes whenever files or folders of the snapshot go (an update, the capture
    // filter): what was read from the snapshot before must be read again.
    std::uint64_t versionInstantane() const { return versionInstantane_; }
    void instantaneChange() { ++versionInstantane_; }

    std::string nomVolume;             // at most kLongueurNomVolume bytes
    std::uint32_t numeroSerie = 0;
    bool inclureSousDossiers = true;
    bool inclureDossiersVides = false;
    bool inclureCaches = true;
    std::int32_t modeFiltre = kFiltreAucun;
    std::string filtre;
    bool stockerCree = true;
    bool stockerModifie = true;
    bool stockerAccede = true;
    bool stockerTaille = true;
    bool stockerAttributs = true;
    CCriteres criteres;

    std::string titreProprietes() const override;

private:
    CClasseur* classeur_;
    std::uint64_t identifiant_;
    std::uint64_t versionInstantane_ = 0;
};
