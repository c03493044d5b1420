// The window tests run in one Qt application on the offscreen platform, with settings
// and the single-instance socket in temporary folders, never the user's.

#include <QtGlobal>

#include "tests/ui/ProgrammeDeTest.h"

int main(int argc, char** argv)
{
    // Offscreen unless told otherwise: no display is needed, not even to list the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // French and accented names in the trees the tests make.
    qputenv("LC_ALL", "C.UTF-8");
    return executerTestsFenetres(argc, argv);
}
