// Short date and time texts in the French forms and in real locales.

#include "platform/linux/CPlateformeLinux.h"
#include "platform/linux/TextesLocaux.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/CommandeExterne.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

constexpr locale_t kFrancais = static_cast<locale_t>(0);

} // namespace

TEST(TextesLocaux, formesFrancaisesSansLocale)
{
    EXPECT_EQ(texteDateLocale(kFrancais, 7, 3, 2003), "07/03/2003");
    EXPECT_EQ(texteDateLocale(kFrancais, 31, 12, 1999), "31/12/1999");
    EXPECT_EQ(texteHeureLocale(kFrancais, 9, 5), "09:05");
    EXPECT_EQ(texteHeureLocale(kFrancais, 23, 59), "23:59");
    EXPECT_EQ(texteHeureLocale(kFrancais, 0, 0), "00:00");
}

TEST(TextesLocaux, valeursHorsCalendrierEcritesEnChiffres)
{
    EXPECT_EQ(texteDateLocale(kFrancais, 0, 0, 0), "00/00/0000");
    EXPECT_EQ(texteDateLocale(kFrancais, 32, 13, 2003), "32/13/2003");
    EXPECT_EQ(texteHeureLocale(kFrancais, 24, 60), "24:60");
    const std::string long_ = texteDateLocale(kFrancais, 4294967295u, 4294967295u, 4294967295u);
    EXPECT_EQ(long_, "4294967295/4294967295/4294967295");
    EXPECT_LE(long_.size(), 64u);
}

TEST(TextesLocaux, nomsDeLaLocaleC)
{
    EXPECT_TRUE(estNomLocaleC("C"));
    EXPECT_TRUE(estNomLocaleC("POSIX"));
    EXPECT_TRUE(estNomLocaleC("C.UTF-8"));
    EXPECT_TRUE(estNomLocaleC("C.utf8"));
    EXPECT_FALSE(estNomLocaleC("fr_FR.UTF-8"));
    EXPECT_FALSE(estNomLocaleC("ca_ES"));
}

TEST(TextesLocaux, formatDHeureSansSecondes)
{
    const std::pair<const char*, const char*> cas[] = {
        {"%H:%M:%S", "%H:%M"},         {"%T", "%H:%M"},
        {"%r", "%I:%M %p"},            {"%I:%M:%S %p", "%I:%M %p"},
        {"%l:%M:%S %p %Z", "%l:%M %p %Z"}, {"%H.%M.%S", "%H.%M"},
        {"%H時%M分%S秒", "%H時%M分"},   {"%H시 %M분 %S초", "%H시 %M분"},
        {"%OH:%OM:%OS", "%OH:%OM"},    {"%Hh%M", "%Hh%M"},
        {"%%S %H:%M", "%%S %H:%M"},    {"%H:%M:%S Uhr", "%H:%M Uhr"},
        {"", ""},                      {"%", "%"},
    };
    for (const auto& [format, attendu] : cas)
        EXPECT_EQ(formatHeureSansSecondes(format), attendu) << format;
}

TEST(TextesLocaux, plateformeEnLocaleCDonneLesFormesFrancaises)
{
    // The user's locale is read once per process, at the first text: set it first.
    setenv("LC_ALL", "C", 1);
    CPlateformeLinux p;
    EXPECT_EQ(p.texteDate(7, 3, 2003), "07/03/2003");
    EXPECT_EQ(p.texteHeure(9, 5), "09:05");
}

namespace {

// Real locales compiled by localedef into a temporary folder, found through LOCPATH.
class LocalesCompilees : public ::testing::Test {
protected:
    locale_t compiler(const std::string& nom, const std::string& source)
    {
        const std::optional<std::string> localedef = trouverProgramme("localedef");
        if (!localedef || access(("/usr/share/i18n/locales/" + source).c_str(), R_OK) != 0)
            return static_cast<locale_t>(0);
        executer({*localedef, "-i", source, "-f", "UTF-8", m_dossier.sous(nom)}); // warnings give status 1
        setenv("LOCPATH", m_dossier.chemin().c_str(), 1);
#if defined(__SANITIZE_ADDRESS__)
        __lsan_disable(); // glibc 2.36 leaks its copy of LOCPATH in newlocale (its bug 25770)
#endif
        locale_t locale = newlocale(LC_ALL_MASK, nom.c_str(), static_cast<locale_t>(0));
#if defined(__SANITIZE_ADDRESS__)
        __lsan_enable();
#endif
        unsetenv("LOCPATH");
        if (locale != static_cast<locale_t>(0))
            m_locales.push_back(locale);
        return locale;
    }
    void TearDown() override
    {
        for (locale_t l : m_locales)
            freelocale(l);
    }

private:
    CDossierTemporaire m_dossier;
    std::vector<locale_t> m_locales;
};

} // namespace

TEST_F(LocalesCompilees, dateEtHeureDeLaLocaleDeLUtilisateur)
{
    const locale_t us = compiler("en_US.UTF-8", "en_US");
    const locale_t de = compiler("de_DE.UTF-8", "de_DE");
    if (us == kFrancais || de == kFrancais)
        GTEST_SKIP() << "localedef ou les sources de locales manquent (paquet locales)";
    EXPECT_EQ(texteDateLocale(us, 7, 3, 2003), "03/07/2003");
    EXPECT_EQ(texteHeureLocale(us, 9, 5), "09:05 AM");
    EXPECT_EQ(texteHeureLocale(us, 21, 5), "09:05 PM");
    EXPECT_EQ(texteDateLocale(de, 7, 3, 2003), "07.03.2003");
    EXPECT_EQ(texteHeureLocale(de, 9, 5), "09:05");
    // A damaged date is shown as stored, whatever the locale.
    EXPECT_EQ(texteDateLocale(us, 0, 0, 0), "00/00/0000");
}
