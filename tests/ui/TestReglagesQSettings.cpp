// The settings file and Qt's QSettings read each other's files alike, so the program's
// list of recent files survives either way.

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "storage/CReglages.h"

namespace {

const std::vector<std::string> kChemins = {
    "/d/b c,d.kbt", " /espaces autour ", "/d/\"q\" \\ ;=#[x].kbt", "@arobase",
    "/d/ligne\nsuite\r\t.kbt", "/d/été日本😀.kbt", "/d/\x01" "9\x7f.kbt", "/d/100%20.kbt"};

QString cle(std::size_t rang)
{
    return QStringLiteral("Recent File List/File%1").arg(rang + 1);
}

TEST(ReglagesEtQSettings, QSettingsLitCeQueNousEcrivons)
{
    QTemporaryDir d;
    ASSERT_TRUE(d.isValid());
    const std::string chemin = d.path().toStdString() + "/VESKA/Norvanel.conf";
    for (std::size_t debut = 0; debut < kChemins.size(); debut += CReglages::kNombreRecents) {
        CReglages r(chemin);
        for (std::size_t i = debut; i < debut + CReglages::kNombreRecents; ++i)
            r.ajouterRecent(kChemins[i]);
        ASSERT_TRUE(r.enregistrer());
        QSettings s(QString::fromStdString(chemin), QSettings::IniFormat);
        ASSERT_EQ(s.status(), QSettings::NoError);
        for (std::size_t i = 0; i < CReglages::kNombreRecents; ++i)
            EXPECT_EQ(s.value(cle(i)).toString().toStdString(), r.fichiersRecents()[i]) << i;
    }
}

// A byte that is not UTF-8 reaches Qt as the code U+DC00 + byte that Qt gives it.
TEST(ReglagesEtQSettings, OctetInvalideVuParQt)
{
    QTemporaryDir d;
    const std::string chemin = d.path().toStdString() + "/VESKA/Norvanel.conf";
    CReglages r(chemin);
    r.ajouterRecent("/caf\xE9" "1");
    ASSERT_TRUE(r.enregistrer());
    const QString lu = QSettings(QString::fromStdString(chemin), QSettings::IniFormat).value(cle(0)).toString();
    ASSERT_EQ(lu.size(), 6);
    EXPECT_EQ(lu.at(4).unicode(), 0xDCE9);
    EXPECT_EQ(lu.at(5), QLatin1Char('1'));
}

TEST(ReglagesEtQSettings, NousLisonsCeQueQSettingsEcrit)
{
    QTemporaryDir d;
    const std::string chemin = d.path().toStdString() + "/VESKA/Norvanel.conf";
    for (std::size_t debut = 0; debut < kChemins.size(); debut += CReglages::kNombreRecents) {
        {
            QSettings s(QString::fromStdString(chemin), QSettings::IniFormat);
            for (std::size_t i = 0; i < CReglages::kNombreRecents; ++i)
                s.setValue(cle(i), QString::fromStdString(kChemins[debut + i]));
            s.setValue(QStringLiteral("Settings/PreviewPages"), 2);
            s.setValue(QStringLiteral("Autre groupe/clé=;"), QStringLiteral("valeur"));
        }
        CReglages r(chemin);
        const auto resultat = r.charger();
        ASSERT_TRUE(resultat) << resultat.raison();
        EXPECT_EQ(r.fichiersRecents(), std::vector<std::string>(kChemins.begin() + debut,
                                                                kChemins.begin() + debut + CReglages::kNombreRecents));
        EXPECT_EQ(r.pagesApercu(), 2);
    }
}

} // namespace
