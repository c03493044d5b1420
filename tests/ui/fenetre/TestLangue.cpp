// Qt's own dialogs speak French where the desktop sets no language.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>

#include "shell/Lancement.h"

namespace {

TEST(Langue, SansLangueDuBureauLeFrancaisParDefaut)
{
    struct SCas {
        QByteArray lcAll, lcMessages, lang;
        bool absente;
    };
    const SCas cas[] = {
        {"", "", "", true},
        {"", "", "C", true},
        {"", "", "POSIX", true},
        {"", "", "C.UTF-8", true},
        {"C", "", "de_DE.UTF-8", true},    // LC_ALL wins
        {"", "C.utf8", "de_DE.UTF-8", true},
        {"", "", "de_DE.UTF-8", false},
        {"", "en_GB.UTF-8", "C", false},
        {"fr_FR.UTF-8", "", "", false},
        {"", "", "Ca_ES", false},       // not "C"
    };
    for (const SCas& c : cas)
        EXPECT_EQ(localeDuBureauAbsente(c.lcAll, c.lcMessages, c.lang), c.absente)
            << c.lcAll.constData() << "|" << c.lcMessages.constData() << "|" << c.lang.constData();

    // As the program starts with no language set.
    const QByteArray lcAll = qEnvironmentVariableIsSet("LC_ALL") ? qgetenv("LC_ALL") : QByteArray();
    const QByteArray lang = qEnvironmentVariableIsSet("LANG") ? qgetenv("LANG") : QByteArray();
    const QLocale avant;
    qputenv("LC_ALL", "C");
    QLocale::setDefault(QLocale::c());
    ASSERT_TRUE(installerTraductionQt(*qApp));
    EXPECT_EQ(QLocale().language(), QLocale::French);
    EXPECT_EQ(QLocale().territory(), QLocale::France);
    QFileDialog fichiers;
    fichiers.setOption(QFileDialog::DontUseNativeDialog);
    const auto* nom = fichiers.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    ASSERT_NE(nom, nullptr);
    EXPECT_NE(nom->text(), QStringLiteral("File &name:"));
    // Words Qt's own translation lacks: the type of a folder in the dialog's list.
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("Dossier"));
    QLocale::setDefault(avant);
    const auto remettre = [](const char* nom, const QByteArray& valeur) {
        if (valeur.isNull())
            qunsetenv(nom);
        else
            qputenv(nom, valeur);
    };
    remettre("LC_ALL", lcAll);
    remettre("LANG", lang);
}

} // namespace
