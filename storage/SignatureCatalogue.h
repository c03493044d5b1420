#pragma once
// Telling a catalogue by its content, whatever its name: the file format has no
// signature, but its document record does (see SerialisationNoeuds.cpp): flags that
// are 0 or 1 and three column orders of numbers 0 to 6. A PDF ("%PDF") or a text never
// looks so. Whatever would replace a file that is not ours to replace (a PDF written
// over a catalogue) asks here first.

#include <string>
#include <string_view>

inline constexpr std::size_t kTailleEnteteCatalogue = 99;  // the document record up to the binder count

bool commenceCommeUnCatalogue(std::string_view debut);
// Whether the regular file `chemin` leads to is a catalogue, damaged or not.
bool estUnCatalogue(const std::string& chemin);
