#pragma once
// The order of many texts, byte by byte (as std::string_view compares them), for the
// name column of lists of a million rows.

#include <string_view>
#include <vector>

// The indices of `textes` in sorted order, ascending or descending; equal texts keep
// their listing order in both directions.
std::vector<int> ordreDesTextes(const std::vector<std::string_view>& textes, bool croissant);
