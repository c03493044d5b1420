#pragma once
// The user's short date and time-of-day texts, from the C library's locale data (no Qt).
// Where no locale is chosen (C or POSIX, as on a bare machine or in CI), or the chosen
// one is not installed, the French forms "dd/MM/yyyy" and "HH:mm" are used.

#include <cstdint>
#include <locale.h>
#include <string>
#include <string_view>

// The user's locale for dates and times, opened once; (locale_t)0 for the French forms.
locale_t localeUtilisateur();

// True when a locale name stands for the C locale ("C", "POSIX", "C.UTF-8", ...).
bool estNomLocaleC(std::string_view nom);

// A strftime time format with the seconds taken out: "%H:%M:%S" -> "%H:%M",
// "%T" -> "%H:%M", "%r" -> "%I:%M %p", "%H時%M分%S秒" -> "%H時%M分".
std::string formatHeureSansSecondes(std::string_view format);

// Texts of at most 64 bytes in `locale` ((locale_t)0: the French forms). Values no
// calendar holds (month 13, day 0, hour 24) are written as numbers in the French form,
// so a damaged date shows what is stored instead of failing.
std::string texteDateLocale(locale_t locale, std::uint32_t jour, std::uint32_t mois, std::uint32_t annee);
std::string texteHeureLocale(locale_t locale, std::uint32_t heure, std::uint32_t minute);
