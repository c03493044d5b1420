// The window tests run in one Qt application on the offscreen platform, with settings
// and the single-instance socket in temporary folders, never the user's.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "shell/Lancement.h"

int main(int argc, char** argv)
{
    // Offscreen unless told otherwise: no display is needed, not even to list the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configuration, execution;
    qputenv("XDG_CONFIG_HOME", configuration.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", execution.path().toUtf8());
    // French and accented names in the trees the tests make.
    qputenv("LC_ALL", "C.UTF-8");
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("VESKA"));
    QApplication::setApplicationName(QStringLiteral("Norvanel"));
    QApplication::setQuitOnLastWindowClosed(false);
    installerTraductionQt(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
