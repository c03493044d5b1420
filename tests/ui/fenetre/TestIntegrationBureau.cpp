// Desktop integration: "cmake --install" puts the program, its menu entry, the
// "Liste de fichiers" type of *.kbt files and their icons where the desktop looks;
// the desktop's own tools accept them.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Runs `programme`; its exit code, or -1 when it could not run.
int executer(const QString& programme, const QStringList& arguments, QString* sortie = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    if (sortie)
        *sortie = QString::fromUtf8(p.readAll());
    return p.exitCode();
}

QString lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(IntegrationBureau, LInstallationPoseLeProgrammeLEntreeDeMenuEtLeTypeDeFichier)
{
    QTemporaryDir prefixe;
    QString journal;
    ASSERT_EQ(executer(QStringLiteral("cmake"),
                       {QStringLiteral("--install"), QStringLiteral(NORVANEL_CONSTRUCTION), QStringLiteral("--prefix"),
                        prefixe.path()},
                       &journal),
              0)
        << journal.toStdString();
    const QDir p(prefixe.path());
    EXPECT_TRUE(QFileInfo(p.filePath(QStringLiteral("bin/norvanel"))).isExecutable());
    EXPECT_TRUE(QFileInfo(p.filePath(QStringLiteral("bin/norvanel-cli"))).isExecutable());
    EXPECT_TRUE(QFile::exists(p.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/norvanel.svg"))));
    EXPECT_TRUE(QFile::exists(
        p.filePath(QStringLiteral("share/icons/hicolor/scalable/mimetypes/application-x-norvanel-liste.svg"))));

    const QString entree = lire(p.filePath(QStringLiteral("share/applications/norvanel.desktop")));
    EXPECT_TRUE(entree.contains(QStringLiteral("\nExec=norvanel %F\n")));
    EXPECT_TRUE(entree.contains(QStringLiteral("\nMimeType=application/x-norvanel-liste;\n")));
    const QString type = lire(p.filePath(QStringLiteral("share/mime/packages/norvanel-liste.xml")));
    EXPECT_TRUE(type.contains(QStringLiteral("<glob pattern=\"*.kbt\"/>")));
    EXPECT_TRUE(type.contains(QStringLiteral("<comment xml:lang=\"fr\">Liste de fichiers</comment>")));

    // The desktop's tools: the entry is valid, and the type database knows *.kbt.
    const QString valider = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString baseMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (valider.isEmpty() || baseMime.isEmpty())
        GTEST_SKIP() << "desktop-file-validate ou update-mime-database absent (paquets desktop-file-utils, "
                        "shared-mime-info)";
    QString avis;
    EXPECT_EQ(executer(valider, {p.filePath(QStringLiteral("share/applications/norvanel.desktop"))}, &avis), 0)
        << avis.toStdString();
    ASSERT_EQ(executer(baseMime, {p.filePath(QStringLiteral("share/mime"))}, &avis), 0) << avis.toStdString();
    EXPECT_TRUE(lire(p.filePath(QStringLiteral("share/mime/globs2"))).contains(QStringLiteral("application/x-norvanel-liste:*.kbt")));
}
