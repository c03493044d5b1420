#pragma once
// The window program started for a benchmark of its windows: offscreen unless a
// platform is asked for, settings in a temporary folder, the main window shown.

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

#include "shell/CApp.h"
#include "shell/CMainFrame.h"

struct SProgrammeHorsEcran {
    SProgrammeHorsEcran(int& argc, char** argv) : application(argc, argv)
    {
        app.cadre().resize(1000, 700);
        app.cadre().show();
    }

    static bool preparer(const QTemporaryDir& reglages)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", reglages.path().toUtf8());
        return true;
    }

    // In this order: the environment is set before the application starts.
    QTemporaryDir reglages;
    bool pret = preparer(reglages);
    QApplication application;
    CApp app;
};
