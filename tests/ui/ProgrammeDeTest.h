#pragma once
// The start of a window test program: one Qt application with the program's identity
// and French Qt texts, settings, the cache and the single-instance socket in temporary
// folders (never the user's), then every GoogleTest test. The caller has chosen the platform.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "shell/CApplicationNorvanel.h"
#include "shell/Lancement.h"

inline int executerTestsFenetres(int& argc, char** argv)
{
    QTemporaryDir configuration, execution, cache;
    qputenv("XDG_CONFIG_HOME", configuration.path().toUtf8());
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", execution.path().toUtf8());
    // The program's own application: what a handler lets out of an event is told, as there.
    CApplicationNorvanel application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("VESKA"));
    QApplication::setApplicationName(QStringLiteral("Norvanel"));
    QApplication::setQuitOnLastWindowClosed(false);
    installerTraductionQt(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
