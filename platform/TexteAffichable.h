#pragma once
// Texts made safe for a terminal. A catalogue name can hold any byte, and printed raw
// an ESC, an OSC or a BEL would drive the user's terminal (retitle it, move the cursor,
// hide what follows). Every C0 control, DEL, C1 control (U+0080..U+009F) and byte that
// is not part of valid UTF-8 is written as a readable escape instead:
//
//   tab, newline, carriage return   \t \n \r
//   any other such byte             \xHH  (lower-case hex; a C1 control is two bytes:
//                                          U+009B is \xc2\x9b)
//   backslash (values only)         \\    so that every escape reads one way back
//
// Values (names, paths, cells of text and tsv output) get all of them. Messages (prose
// for stderr) keep their newlines and backslashes: they are read, not parsed.

#include <string>
#include <string_view>

enum class EEchappement { Valeur, Message };

std::string texteAffichable(std::string_view texte, EEchappement sorte = EEchappement::Valeur);
