#pragma once
// A list exported to a file chosen by the user: written safely (a temporary renamed
// over the old file, whose permissions are kept; see EcritureSure.h), and never over a
// catalogue, told by its content whatever its name.

#include <optional>
#include <string>

#include "platform/ExportTableau.h"

// nullopt when written; else the French message to show.
std::optional<std::string> exporterTableau(const STableauExporte& tableau, EFormatExport format,
                                           const std::string& chemin);
