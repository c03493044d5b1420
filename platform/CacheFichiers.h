#pragma once
// Files the program keeps to go faster next time (a catalogue's quick-search index),
// in the user's cache: $XDG_CACHE_HOME/norvanel, else ~/.cache/norvanel; a folder of
// ours alone (0700), never beside a catalogue (read-only media, shared folders, other
// users). A kept file is never trusted for being there: only a regular file of ours,
// not a link, closed to group and others, is read, and its reader checks its content.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// The cache folder, made when missing; empty when there is none we may use (no home,
// a folder of another user or open to others: it is left alone).
std::string dossierCache();

// A kept file mapped read-only; empty when there is none, or one that fails the checks.
class CFichierCache {
public:
    CFichierCache() = default;
    CFichierCache(const CFichierCache&) = delete;
    CFichierCache& operator=(const CFichierCache&) = delete;
    CFichierCache(CFichierCache&& autre) noexcept;
    CFichierCache& operator=(CFichierCache&& autre) noexcept;
    ~CFichierCache();

    explicit operator bool() const { return donnees_ != nullptr; }
    const unsigned char* donnees() const { return donnees_; }
    std::size_t taille() const { return taille_; }

private:
    friend CFichierCache lireCache(const std::string& dossier, const std::string& nom);
    const unsigned char* donnees_ = nullptr;
    std::size_t taille_ = 0;
};

// A kept file's name: letters, digits, '-' and '_' only (no path, nothing hidden).
bool nomCacheValide(std::string_view nom);

// The file `nom` of the cache folder `dossier`, which must be ours alone. Opened
// without following a link and without waiting on a FIFO.
CFichierCache lireCache(const std::string& dossier, const std::string& nom);

// Writes `octets` as `nom`: to a new file of ours (0600), then renamed over the old one,
// so that a reader sees the old file or the new one, and a crash leaves one of them or
// a temporary file that nettoyerCache removes. No fsync: a file cut short by a power
// loss fails its reader's checksum and is made again. False on failure (errno says why).
bool ecrireCache(const std::string& dossier, const std::string& nom, std::string_view octets);
// The same from pieces written end to end.
bool ecrireCache(const std::string& dossier, const std::string& nom, std::span<const std::string_view> morceaux);

// Removes every kept file that `garder(nom)` refuses, the temporaries older than a
// minute, then the oldest files (by modification) until the folder holds at most
// `limite` bytes. Anything that is not a regular file of ours is left alone.
void nettoyerCache(const std::string& dossier, std::uint64_t limite,
                   const std::function<bool(const std::string& nom)>& garder);
