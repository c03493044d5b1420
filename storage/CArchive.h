#pragma once
// The byte stream of a catalogue file, in one direction or the other: each node has a
// single serialiser() that either writes its record or reads it back, field by field
// in the same order, through the echanger*() calls below.
//
// All numbers are little-endian. Texts are UTF-8 in memory; in the file a text that
// Windows-1252 can hold is written in it with a 1-, 3- or 7-byte length prefix, and
// any other text in the wide form (0xFF, 0xFFFE, length, UTF-16LE). Bytes of a name
// that are not UTF-8 travel as U+DC80..U+DCFF and come back unchanged.
//
// Reading never trusts the file: every length and count is checked against the bytes
// that remain, and a failure throws CErreurLecture, caught where loading starts.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class CSortie;
class CSuiteInconnue;

// Where an archive being read takes its bytes from (a file).
class CEntree {
public:
    virtual ~CEntree() = default;
    // Reads up to `n` bytes; the number read, 0 at the end, or -1 on an error (errno
    // says why).
    virtual long lire(char* octets, std::size_t n) = 0;
    // The file read from its start, or -1: what lies after the last binder may then be
    // left there (CSuiteInconnue).
    virtual int descripteur() const { return -1; }
};

// Raised by a save whose bytes after the last binder can no longer be had as read.
class CErreurSuite : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CErreurLecture : public std::runtime_error {
public:
    CErreurLecture(const std::string& quoi, std::uint64_t position)
        : std::runtime_error(quoi), position(position)
    {
    }
    std::uint64_t position;  // byte offset where the problem was found
};

class CArchive {
public:
    // An archive that reads `octets` (not copied: they must outlive the archive).
    explicit CArchive(std::string_view octets);
    // An archive that reads the `taille` bytes of `entree`, through a buffer.
    CArchive(CEntree& entree, std::uint64_t taille);
    // An archive that writes to `sortie`, through a buffer of its own.
    explicit CArchive(CSortie& sortie);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool enLecture() const { return sortie_ == nullptr; }

    void echangerOctet(std::uint8_t& v);
    void echangerBooleen(bool& v);
    void echangerEntier(std::int32_t& v);
    void echangerEntier(std::uint32_t& v);
    // `n` raw bytes, as held.
    void echangerBloc(void* octets, std::size_t n);
    void echangerTexte(std::string& texte);
    // Writing only: a text the archive need not be able to change.
    void ecrireTexte(const std::string& texte);

    // --- Writing ---------------------------------------------------------------
    void ecrireEntier(std::int32_t v) { echangerEntier(v); }
    // Sends what the buffer holds; false when the output failed (now or before).
    [[nodiscard]] bool vider();
    // The bytes after the last binder, after everything else; CErreurSuite when they
    // are no longer those read.
    void ecrireSuite(const CSuiteInconnue& suite);

    // --- Reading ---------------------------------------------------------------
    std::int32_t lireEntier();
    // A count of records of at least `tailleMin` bytes each; a count of zero or less is
    // no record; more records than the remaining bytes could hold is an error.
    std::int32_t lireNombre(std::size_t tailleMin, const char* quoi);
    // Bytes read or written so far.
    std::uint64_t position() const { return pos_; }
    // How deep the folder being read is nested.
    int profondeur = 0;
    // When set, where each file record starts, read or written, in the file's order (a
    // folder's files, then its sub-folders): what finds one record again without
    // reading the others (lireFichierSeul).
    std::vector<std::uint64_t>* debutsFichiers = nullptr;
    std::uint64_t restants() const { return taille_ - pos_; }
    // Every byte left: in memory when few, else left in the file read.
    void lireSuite(CSuiteInconnue& suite);
    [[noreturn]] void echouer(const std::string& quoi) const;

private:
    // The next `n` bytes (n <= restants() is checked), valid until the next call.
    const char* prendre(std::size_t n);
    const char* recharger(std::size_t n);
    void ecrire(const void* octets, std::size_t n);
    void ecrireApresVidage(const void* octets, std::size_t n);
    std::uint64_t lireLongueur(bool& large);
    void lireTexte(std::string& texte);

    // Reading: the bytes at hand (all of them for memory, the buffer for a file).
    const char* fenetre_ = nullptr;
    std::size_t dansFenetre_ = 0;
    std::size_t curseur_ = 0;
    std::uint64_t pos_ = 0;
    std::uint64_t taille_ = 0;
    CEntree* entree_ = nullptr;
    std::string grand_;  // a text longer than the buffer

    CSortie* sortie_ = nullptr;
    std::size_t plein_ = 0;  // bytes waiting in the buffer
    // Left unfilled: a small catalogue touches a few of its pages only.
    std::unique_ptr<char[]> tampon_;
    std::string travail_;    // a text being converted, either way
};
