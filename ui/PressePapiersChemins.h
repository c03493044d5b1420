#pragma once
// Paths handed to other programs through the clipboard: as text, one a line, and as
// file URLs (text/uri-list), which a file manager pastes as the files themselves.

#include <string>
#include <vector>

// Nothing is put there when `chemins` is empty.
void copierChemins(const std::vector<std::string>& chemins);
