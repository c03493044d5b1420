#pragma once
// Values of the INI files Qt's QSettings writes, so that such a file and ours read
// alike. A value is UTF-8 text with backslash escapes (\n, \t, \", \\, \xHHHH, \ooo);
// it is put in double quotes when it holds ';', ',' or '=' or begins or ends with a
// space; a leading '@' is doubled. Unquoted, ';' starts a comment and ',' separates the
// items of a list.
//
// Paths are bytes: a byte that is not part of valid UTF-8 is written as \xdc80..\xdcff,
// the value Qt itself gives such a byte, and read back as that byte.

#include <optional>
#include <string>
#include <string_view>

// The text to put after "key=" for `texte`.
std::string echapperValeurIni(std::string_view texte);

// The text a value stands for; nullopt when it is not a single text (a list, a
// "@Variant(...)"-like form) or is badly formed (unterminated quote, broken escape).
std::optional<std::string> lireValeurIni(std::string_view brut);

// A key or section name with its %XX and %UXXXX escapes decoded ("Recent%20File%20List").
std::string lireClefIni(std::string_view brut);
