#pragma once
// The abbreviated French text of a byte size, as the "Taille" column shows it.

#include <cstdint>
#include <string>

// Below 1024: "N octets". From 1024 on, the value in the smallest of Ko (1024), Mo
// (1024^2) and Go (1024^3) that keeps it below 1000, cut (never rounded) to three
// significant digits with a decimal comma: "1,00 Ko", "1,99 Ko" (2047), "15,9 Ko",
// "150 Ko", "999 Ko"; 1000 Ko to 1023,99 Ko read "0,97 Mo" .. "0,99 Mo" so that no
// value needs four digits; 4 294 967 295 reads "3,99 Go". At most 11 characters.
std::string texteTaille(std::uint32_t taille);
