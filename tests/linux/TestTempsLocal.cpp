// Local calendar time of file times, under a time zone set by the test.

#include "platform/linux/CPlateformeLinux.h"
#include "platform/linux/TempsLocal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// Sets TZ for one test and puts the previous value back.
class FuseauHoraire : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_avait = tz != nullptr;
        if (m_avait)
            m_ancien = tz;
    }
    void TearDown() override
    {
        if (m_avait)
            setenv("TZ", m_ancien.c_str(), 1);
        else
            unsetenv("TZ");
        oublierFuseau();
    }
    static void choisir(const char* tz)
    {
        setenv("TZ", tz, 1);
        oublierFuseau();
    }
    // Paris by name when the time zone database is there, else by its rule.
    static void choisirParis()
    {
        choisir(access("/usr/share/zoneinfo/Europe/Paris", R_OK) == 0 ? "Europe/Paris"
                                                                      : "CET-1CEST,M3.5.0,M10.5.0/3");
    }

    CPlateformeLinux m_plateforme;

private:
    bool m_avait = false;
    std::string m_ancien;
};

void verifierCalendrier(const SCalendrier& c, std::uint32_t annee, std::uint32_t mois, std::uint32_t jour,
                        std::uint32_t heure, std::uint32_t minute, std::uint32_t seconde)
{
    EXPECT_EQ(c.annee, annee);
    EXPECT_EQ(c.mois, mois);
    EXPECT_EQ(c.jour, jour);
    EXPECT_EQ(c.heure, heure);
    EXPECT_EQ(c.minute, minute);
    EXPECT_EQ(c.seconde, seconde);
}

// The fields the C library gives, a leap second shown as second 59.
bool memesChamps(const SCalendrier& c, const std::tm& tm)
{
    return c.annee == std::uint32_t(tm.tm_year + 1900) && c.mois == std::uint32_t(tm.tm_mon + 1) &&
           c.jour == std::uint32_t(tm.tm_mday) && c.heure == std::uint32_t(tm.tm_hour) &&
           c.minute == std::uint32_t(tm.tm_min) && c.seconde == std::uint32_t(std::min(tm.tm_sec, 59));
}

} // namespace

TEST_F(FuseauHoraire, champsDUneDateEnTempsUniversel)
{
    choisir("UTC0");
    verifierCalendrier(m_plateforme.versHeureLocale(tempsFichierDepuisUnix(1047027930, 999999900)), 2003, 3, 7, 9,
                       5, 30);
}

TEST_F(FuseauHoraire, decalageDeLaDateDuFichierEtNonDuJour)
{
    choisirParis();
    // Noon UTC on 15 July 2003 (summer time) and on 15 January 2003 (winter time).
    verifierCalendrier(m_plateforme.versHeureLocale(tempsFichierDepuisUnix(1058270400)), 2003, 7, 15, 14, 0, 0);
    verifierCalendrier(m_plateforme.versHeureLocale(tempsFichierDepuisUnix(1042632000)), 2003, 1, 15, 13, 0, 0);
}

TEST_F(FuseauHoraire, avant1970EtValeursAbsurdesSansPlantage)
{
    choisir("UTC0");
    verifierCalendrier(m_plateforme.versHeureLocale(tempsFichierDepuisUnix(-315619200)), 1960, 1, 1, 0, 0, 0);
    verifierCalendrier(m_plateforme.versHeureLocale(0), 1601, 1, 1, 0, 0, 0);
    // Before 1601: nothing to show, all fields zero.
    verifierCalendrier(m_plateforme.versHeureLocale(-1), 0, 0, 0, 0, 0, 0);
    verifierCalendrier(m_plateforme.versHeureLocale(std::numeric_limits<TempsFichier>::min()), 0, 0, 0, 0, 0, 0);
    // The largest file time is 14 September 30828, 02:48:05 UTC.
    verifierCalendrier(m_plateforme.versHeureLocale(std::numeric_limits<TempsFichier>::max()), 30828, 9, 14, 2, 48,
                       5);
}

TEST_F(FuseauHoraire, maintenantEstLHeureLocaleDeLHorloge)
{
    choisirParis();
    for (int essai = 0; essai < 3; ++essai) { // a second may tick between the two reads
        const std::time_t t = std::time(nullptr);
        const SCalendrier attendu = m_plateforme.versHeureLocale(tempsFichierDepuisUnix(t));
        const SCalendrier lu = m_plateforme.maintenant();
        if (lu.seconde != attendu.seconde)
            continue;
        verifierCalendrier(lu, attendu.annee, attendu.mois, attendu.jour, attendu.heure, attendu.minute,
                           attendu.seconde);
        EXPECT_GE(lu.annee, 2024u);
        return;
    }
    ADD_FAILURE() << "maintenant() ne suit pas l'horloge";
}

// The offsets read from the C library give what it gives, second for second: over
// transitions at odd times, half-hour and 45-minute offsets, leap seconds, and dates
// far from now; with two threads meeting the same stretches of time at once.
TEST_F(FuseauHoraire, memesChampsQueLaBibliothequeDansChaqueFuseau)
{
    const char* fuseaux[] = {"Europe/Paris",  "Australia/Lord_Howe", "Asia/Kathmandu",  "America/St_Johns",
                             "right/Europe/Paris", "Africa/Casablanca", "CET-1CEST,M3.5.0,M10.5.0/3",
                             "<+0530>-5:30", "UTC0"};
    for (const char* fuseau : fuseaux) {
        if (std::strchr(fuseau, '/') && access((std::string("/usr/share/zoneinfo/") + fuseau).c_str(), R_OK) != 0)
            continue;
        SCOPED_TRACE(fuseau);
        choisir(fuseau);
        std::atomic<int> ecarts{0};
        const auto comparer = [&](std::time_t t) {
            std::tm tm{};
            ASSERT_NE(localtime_r(&t, &tm), nullptr);
            if (!memesChamps(calendrierLocal(tempsFichierDepuisUnix(t)), tm))
                ADD_FAILURE() << "t = " << t << (++ecarts > 5 ? " (et d'autres)" : "");
        };
        // From 1850 to 2100 a little more than a day apart, then every ten minutes and
        // a few seconds over two years of transitions, with the seconds around each hour.
        const auto parcourir = [&] {
            for (std::time_t t = -3786825600; t < 4102444800 && ecarts <= 5; t += 86413)
                comparer(t);
            for (std::time_t t = 1648000000; t < 1711000000 && ecarts <= 5; t += 601) {
                comparer(t);
                comparer(t - t % 3600);
                comparer(t - t % 3600 - 1);
            }
        };
        std::thread autre(parcourir);
        parcourir();
        autre.join();
    }
}
