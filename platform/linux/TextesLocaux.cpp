#include "platform/linux/TextesLocaux.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <langinfo.h>
#include <vector>

namespace {

constexpr std::size_t kLongueurMax = 64;

// The name the C library gives the time category for newlocale(…, "", …).
std::string_view nomLocaleHeures()
{
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* valeur = std::getenv(variable);
        if (valeur != nullptr && *valeur != '\0')
            return valeur;
    }
    return "C";
}

bool estUtf8(locale_t locale)
{
    const std::string_view jeu = nl_langinfo_l(CODESET, locale);
    return jeu == "UTF-8" || jeu == "utf8";
}

bool contientNonAscii(std::string_view texte)
{
    for (const char c : texte)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// strftime_l into at most 64 bytes; empty when the text does not fit, or when it is not
// UTF-8 (a Latin-1 locale's month name), so the caller falls back to the French form.
std::string formater(locale_t locale, const std::string& format, const std::tm& tm)
{
    char tampon[kLongueurMax + 1];
    const std::size_t n = strftime_l(tampon, sizeof tampon, format.c_str(), &tm, locale);
    const std::string_view texte(tampon, n);
    if (n == 0 || (contientNonAscii(texte) && !estUtf8(locale)))
        return {};
    return std::string(texte);
}

// Day of the week (0 = Sunday) of a Gregorian date, for formats that show it.
int jourDeSemaine(int annee, int mois, int jour)
{
    static constexpr int kDecalages[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (mois < 3)
        annee -= 1;
    return (annee + annee / 4 - annee / 100 + annee / 400 + kDecalages[mois - 1] + jour) % 7;
}

std::string dateFrancaise(std::uint32_t jour, std::uint32_t mois, std::uint32_t annee)
{
    char tampon[kLongueurMax];
    std::snprintf(tampon, sizeof tampon, "%02u/%02u/%04u", jour, mois, annee);
    return tampon;
}

std::string heureFrancaise(std::uint32_t heure, std::uint32_t minute)
{
    char tampon[kLongueurMax];
    std::snprintf(tampon, sizeof tampon, "%02u:%02u", heure, minute);
    return tampon;
}

// One piece of a strftime format: a conversion ("%H", "%OS", "%-d") or a literal run.
struct SMorceau {
    std::string_view texte;
    char conversion = 0; // 0 for a literal run
};

SMorceau morceauSuivant(std::string_view format, std::size_t debut)
{
    if (format[debut] != '%') {
        const std::size_t fin = format.find('%', debut);
        return {format.substr(debut, fin == std::string_view::npos ? fin : fin - debut), 0};
    }
    std::size_t i = debut + 1;
    while (i < format.size() && std::strchr("_-0^#EO0123456789", format[i]) != nullptr)
        ++i;
    if (i >= format.size()) // a lone '%' at the end: keep it as text
        return {format.substr(debut), 0};
    return {format.substr(debut, i + 1 - debut), format[i]};
}

bool commenceParBlanc(std::string_view texte) { return !texte.empty() && (texte.front() == ' ' || texte.front() == '\t'); }

} // namespace

bool estNomLocaleC(std::string_view nom)
{
    return nom == "C" || nom == "POSIX" || nom.substr(0, 2) == "C.";
}

locale_t localeUtilisateur()
{
    static const locale_t locale = []() -> locale_t {
        if (estNomLocaleC(nomLocaleHeures()))
            return static_cast<locale_t>(0);
        return newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0)); // 0 when not installed
    }();
    return locale;
}

std::string formatHeureSansSecondes(std::string_view format)
{
    std::vector<SMorceau> morceaux;
    for (std::size_t i = 0; i < format.size(); i += morceaux.back().texte.size())
        morceaux.push_back(morceauSuivant(format, i));

    std::string resultat;
    for (std::size_t i = 0; i < morceaux.size(); ++i) {
        const SMorceau& m = morceaux[i];
        switch (m.conversion) {
        case 'T':
        case 'X':
            resultat += "%H:%M";
            break;
        case 'r':
            resultat += "%I:%M %p";
            break;
        case 'S': {
            // "…%M:%S %p": the separator before the seconds goes with them.
            // "…%M分%S秒": the seconds' own unit after them goes instead.
            const bool uniteApres = i + 1 < morceaux.size() && morceaux[i + 1].conversion == 0 &&
                                    !commenceParBlanc(morceaux[i + 1].texte);
            if (uniteApres)
                ++i;
            else if (i > 0 && morceaux[i - 1].conversion == 0)
                resultat.resize(resultat.size() - morceaux[i - 1].texte.size());
            break;
        }
        default:
            resultat += m.texte;
        }
    }
    while (!resultat.empty() && (resultat.back() == ' ' || resultat.back() == '\t'))
        resultat.pop_back();
    return resultat;
}

std::string texteDateLocale(locale_t locale, std::uint32_t jour, std::uint32_t mois, std::uint32_t annee)
{
    const bool valide = jour >= 1 && jour <= 31 && mois >= 1 && mois <= 12 && annee >= 1 && annee <= 9999;
    if (locale == static_cast<locale_t>(0) || !valide)
        return dateFrancaise(jour, mois, annee);
    std::tm tm{};
    tm.tm_mday = static_cast<int>(jour);
    tm.tm_mon = static_cast<int>(mois) - 1;
    tm.tm_year = static_cast<int>(annee) - 1900;
    tm.tm_wday = jourDeSemaine(static_cast<int>(annee), static_cast<int>(mois), static_cast<int>(jour));
    const std::string texte = formater(locale, nl_langinfo_l(D_FMT, locale), tm);
    return texte.empty() ? dateFrancaise(jour, mois, annee) : texte;
}

std::string texteHeureLocale(locale_t locale, std::uint32_t heure, std::uint32_t minute)
{
    if (locale == static_cast<locale_t>(0) || heure > 23 || minute > 59)
        return heureFrancaise(heure, minute);
    std::tm tm{}; // 1 January 2000, a Saturday
    tm.tm_year = 100;
    tm.tm_mday = 1;
    tm.tm_wday = 6;
    tm.tm_hour = static_cast<int>(heure);
    tm.tm_min = static_cast<int>(minute);
    const std::string texte = formater(locale, formatHeureSansSecondes(nl_langinfo_l(T_FMT, locale)), tm);
    return texte.empty() ? heureFrancaise(heure, minute) : texte;
}
