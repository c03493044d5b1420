#pragma once
// How a Linux file system's identity becomes the label and 32-bit serial that a
// catalogue keeps for each query (the values Windows shows for a volume).

#include <cstdint>
#include <string>
#include <string_view>

// The serial of a file system from its UUID as libblkid writes it:
//   "ABCD-1234" (FAT, exFAT)            -> 0xABCD1234
//   "0123456789ABCDEF" (NTFS, 64 bits)  -> 0x89ABCDEF, the low half, as Windows shows it
//   a 128-bit UUID                      -> the XOR of its four 32-bit words
//   anything else (ISO 9660 dates, ...) -> a hash of the text, stable from run to run
//   empty                               -> 0
std::uint32_t numeroSerieDepuisUuid(std::string_view uuid);

// A stable serial for a file system without a readable device (tmpfs, network share),
// from the two words of its statfs f_fsid.
std::uint32_t numeroSerieDepuisFsid(std::int32_t mot0, std::int32_t mot1);

// `texte` cut to at most `maximum` bytes without splitting a UTF-8 character.
std::string tronqueUtf8(std::string_view texte, std::size_t maximum);

// The value of a hexadecimal digit; -1 for any other character.
int valeurHexa(char c);

// A volume label as the system gives it, bounded: a catalogue keeps 11 bytes of it in
// its own code page (an NTFS label may hold 32 characters, accented ones included),
// and that cut is the catalogue's to make, on characters rather than UTF-8 bytes.
inline constexpr std::size_t kLongueurEtiquette = 128;
