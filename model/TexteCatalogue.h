#pragma once
// Conversions between the UTF-8 texts held in memory and the two encodings of a
// catalogue file: Windows-1252 bytes, and UTF-16LE for the wide form.
//
// A byte of a name that is not part of valid UTF-8 is carried as U+DC80..U+DCFF (one
// code unit per byte), so that any name, valid UTF-8 or not, comes back unchanged.
// Any other lone surrogate of a wide text is held in memory in its 3-byte form
// (U+D800 as ED A0 80) and written back as the same code unit, so that a load and a
// save leave the file as it was. Everywhere else (display, search, JSON) those three
// bytes are three stray bytes, like any other invalid UTF-8.

#include <string>
#include <string_view>

// Appends the Windows-1252 form of `utf8` to `sortie`; false (and `sortie` left as it
// was) when some character has no place in Windows-1252.
bool versCp1252(std::string_view utf8, std::string& sortie);

// The Windows-1252 form of `utf8`, cut to at most `maximum` bytes: a character the
// code page cannot hold, or a byte that is not part of valid UTF-8, becomes '?', as
// Windows writes such a character. For fixed-size fields such as a volume label.
std::string versCp1252Approche(std::string_view utf8, std::size_t maximum);

// A volume label as a catalogue keeps it: Windows-1252 within 11 bytes, read back as
// UTF-8. What a query holds after a save and a load, so what labels are compared as.
std::string etiquetteCatalogue(std::string_view nom);

// The label held in the bytes of a catalogue's label field (up to the first zero):
// Windows-1252, except bytes that form valid UTF-8 beyond ASCII, which earlier
// versions of this program wrote and which Windows-1252 text almost never forms, when
// the label they give is saved as bytes that read back as it.
std::string etiquetteLue(std::string_view octets);

// Appends the UTF-8 form of Windows-1252 bytes. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081.. as Windows reads them.
void depuisCp1252(std::string_view octets, std::string& utf8);

// Appends the UTF-16LE bytes of `utf8`; the number of code units is size / 2. A
// surrogate's 3-byte form becomes its code unit, unless it would read back otherwise
// (U+DC80..U+DCFF, or a high one that a low unit follows): then its bytes travel as
// stray bytes.
void versUtf16(std::string_view utf8, std::string& octetsLE);

// Appends the UTF-8 form of `unites` UTF-16LE code units. U+DC80..U+DCFF standing
// alone become the byte they carry; any other lone surrogate keeps its 3-byte form.
void depuisUtf16(const char* octetsLE, std::size_t unites, std::string& utf8);
