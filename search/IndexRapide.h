#pragma once
// What a quick search reads instead of the snapshot: each folder's path and each file's
// name already folded, end to end in two blocks, so that a keystroke scans plain
// memory. Built from a query's snapshot on the thread that owns it; once built it is
// never changed, so a search may read it on another thread while the snapshot moves on.
// Files are numbered in collection order (a folder's files, then its sub-folders).

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/MotsRapides.h"

class CDossier;
class CFichier;

class CIndexRapide {
public:
    explicit CIndexRapide(const CDossier& racine);

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
    std::uint32_t premierFichierDe(std::uint32_t dossier) const { return premierFichier_[dossier]; }
    std::uint32_t nombreDossiers() const { return static_cast<std::uint32_t>(premierFichier_.size() - 1); }

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

    std::size_t nombreFichiers() const { return debutNoms_.size() - 1; }
    // Bytes held, for the memory figures.
    std::size_t octets() const;

private:
    void ajouter(const CDossier& dossier);
    std::vector<std::uint32_t> chercherParmi(const std::vector<SMotRapide>& mots, const std::atomic<bool>& arret,
                                             const std::vector<std::uint32_t>& parmi) const;
    std::string_view nom(std::uint32_t fichier) const
    {
        return std::string_view(noms_).substr(debutNoms_[fichier], debutNoms_[fichier + 1] - debutNoms_[fichier] - 1);
    }
    std::string_view chemin(std::uint32_t dossier) const
    {
        return std::string_view(chemins_).substr(debutChemins_[dossier],
                                                 debutChemins_[dossier + 1] - debutChemins_[dossier] - 1);
    }
    std::uint32_t dossierDe(std::uint32_t fichier, std::uint32_t depuis) const;
    std::uint64_t motsDansDossier(std::uint32_t dossier, const std::vector<SMotRapide>& mots) const;
    bool fichierCorrespond(std::uint32_t fichier, std::uint32_t dossier, std::uint64_t dansDossier,
                           const std::vector<SMotRapide>& mots) const;

    // Folded names, each followed by a zero byte, which no word holds: a word never
    // runs from one name into the next.
    std::string noms_;
    std::vector<std::uint32_t> debutNoms_;       // one per file, and the end
    // Folded folder paths, each with the separator its files' paths put before their
    // name, then a zero byte.
    std::string chemins_;
    std::vector<std::uint32_t> debutChemins_;    // one per folder, and the end
    std::vector<std::uint32_t> premierFichier_;  // one per folder, and the end
    // Read only by fichiers(): a search never touches the snapshot.
    std::vector<CFichier*> fichiers_;
};
