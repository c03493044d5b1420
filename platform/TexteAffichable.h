#pragma once
// Texts made safe for a terminal. A catalogue name can hold any byte, and printed raw
// an ESC, an OSC or a BEL would drive the user's terminal (retitle it, move the cursor,
// hide what follows), and a bidirectional control (U+202E, ...) or a line separator
// would make one name show as another. Every C0 control, DEL, C1 control
// (U+0080..U+009F), bidirectional formatting character (U+061C, U+200E, U+200F,
// U+202A..U+202E, U+2066..U+2069), line or paragraph separator (U+2028, U+2029) and
// byte that is not part of valid UTF-8 is written as a readable escape instead:
//
//   tab, newline, carriage return   \t \n \r
//   any other such byte             \xHH  (lower-case hex, each byte of the character:
//                                          U+009B is \xc2\x9b, U+202E \xe2\x80\xae)
//   backslash (values only)         \\    so that every escape reads one way back
//
// Values (names, paths, cells of text and tsv output) get all of them. Messages (prose
// for stderr) keep their newlines and backslashes: they are read, not parsed. A name
// quoted in a message keeps its backslashes but none of the rest, so that a newline in
// a path cannot make a message look like two.

#include <string>
#include <string_view>

enum class EEchappement { Valeur, Message, Citation };

// Whether the character `code` changes how the text around it shows, without being a
// control: the bidirectional formatting characters and the line and paragraph separators.
bool estFormatTrompeur(char32_t code);

std::string texteAffichable(std::string_view texte, EEchappement sorte = EEchappement::Valeur);

// Appends the escape of one byte: "\xHH", lower-case hex.
void ajouterOctetEchappe(std::string& texte, unsigned char octet);

// `texte` quoted for a message: "« texte »", escaped as a citation.
std::string entreGuillemets(std::string_view texte);
