#pragma once
// What a quick search reads instead of the snapshot: each folder's path and each file's
// name already folded, end to end in two blocks, so that a keystroke scans plain
// memory. Built from a query's snapshot on the thread that owns it; once built it is
// never changed, so a search may read it on another thread while the snapshot moves on.
// Files are numbered in collection order (a folder's files, then its sub-folders).

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "search/MotsRapides.h"

class CDossier;
class CFichier;

// What a search reads, wherever it lies: in the index's own memory, or in a kept file
// mapped read-only (see blocsCoherents).
struct SBlocsIndexRapide {
    // Folded names, each followed by a zero byte, which no word holds: a word never
    // runs from one name into the next.
    std::string_view noms;
    std::span<const std::uint32_t> debutNoms;       // one per file, and the end
    // Folded folder paths, each with the separator its files' paths put before their
    // name, then a zero byte.
    std::string_view chemins;
    std::span<const std::uint32_t> debutChemins;    // one per folder, and the end
    std::span<const std::uint32_t> premierFichier;  // one per folder, and the end
};

// Whether `b` holds what a search takes for granted: each offset within its block and
// not before the one ahead of it, each name and path ending with its zero byte, each
// path holding its separator, the folders' files in order and covering every file. A
// block read from a file is used only when it passes.
bool blocsCoherents(const SBlocsIndexRapide& b);

class CIndexRapide {
public:
    explicit CIndexRapide(const CDossier& racine);
    // An index over blocks held elsewhere (a kept file), which must outlive it; null
    // when they are not coherent. It knows no file entry: fichier() gives null.
    static std::unique_ptr<CIndexRapide> surBlocs(const SBlocsIndexRapide& blocs);
    // The same, its files those of `racine`'s snapshot (which must have the shape the
    // blocks were made from: else null), the blocks kept alive by `garde`.
    static std::unique_ptr<CIndexRapide> surBlocs(const SBlocsIndexRapide& blocs, const CDossier& racine,
                                                  std::shared_ptr<const void> garde);
    // Its blocks point into itself: never copied nor moved.
    CIndexRapide(const CIndexRapide&) = delete;
    CIndexRapide& operator=(const CIndexRapide&) = delete;

    const SBlocsIndexRapide& blocs() const { return b_; }

    // The numbers of the files whose folded path holds every word, ascending. With
    // `parmi`, only those numbers are tried (the answer to words these refine). Stops
    // early when `arret` becomes true; what it gives then is incomplete.
    std::vector<std::uint32_t> chercherNumeros(const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret,
                                               const std::vector<std::uint32_t>* parmi = nullptr) const;

    // The same, trying every file of folders [premierDossier, finDossiers) alone (a part
    // of the work for one thread).
    std::vector<std::uint32_t> chercherDans(const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret,
                                            std::uint32_t premierDossier, std::uint32_t finDossiers) const;
    // Where folder `dossier`'s files begin; nombreFichiers() past the last folder.
    std::uint32_t premierFichierDe(std::uint32_t dossier) const { return b_.premierFichier[dossier]; }
    std::uint32_t nombreDossiers() const { return static_cast<std::uint32_t>(b_.premierFichier.size() - 1); }

    // The file entries for `numeros`: only while the snapshot the index was built from
    // is unchanged, on the thread that owns it.
    std::vector<CFichier*> fichiers(const std::vector<std::uint32_t>& numeros) const;
    // One of them; null for a number the index does not hold.
    CFichier* fichier(std::uint32_t numero) const { return numero < fichiers_.size() ? fichiers_[numero] : nullptr; }

    // Both steps at once, for a caller on the snapshot's own thread.
    std::vector<CFichier*> chercher(const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret) const
    {
        return fichiers(chercherNumeros(mots, arret));
    }

    std::size_t nombreFichiers() const { return b_.debutNoms.size() - 1; }
    // Bytes held, for the memory figures.
    std::size_t octets() const;

private:
    CIndexRapide() = default;
    void ajouter(const CDossier& dossier);
    std::vector<std::uint32_t> chercherParmi(const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret,
                                             const std::vector<std::uint32_t>& parmi) const;
    std::string_view nom(std::uint32_t fichier) const
    {
        return b_.noms.substr(b_.debutNoms[fichier], b_.debutNoms[fichier + 1] - b_.debutNoms[fichier] - 1);
    }
    std::string_view chemin(std::uint32_t dossier) const
    {
        return b_.chemins.substr(b_.debutChemins[dossier], b_.debutChemins[dossier + 1] - b_.debutChemins[dossier] - 1);
    }
    std::uint32_t dossierDe(std::uint32_t fichier, std::uint32_t depuis) const;
    std::uint64_t motsDansDossier(std::uint32_t dossier, const std::vector<SMotRapide>& mots) const;
    bool fichierCorrespond(std::uint32_t fichier, std::uint32_t dossier, std::uint64_t dansDossier,
                           const std::vector<SMotRapide>& mots) const;

    // What an index built from a snapshot holds; empty for one over borrowed blocks.
    std::string noms_;
    std::vector<std::uint32_t> debutNoms_;
    std::string chemins_;
    std::vector<std::uint32_t> debutChemins_;
    std::vector<std::uint32_t> premierFichier_;
    // Read only by fichiers(): a search never touches the snapshot.
    std::vector<CFichier*> fichiers_;
    SBlocsIndexRapide b_;
    // What holds blocks read elsewhere (a kept file's mapping), when it must live as long.
    std::shared_ptr<const void> garde_;
};
