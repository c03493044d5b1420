// norvanel: the window program.

#include <QApplication>

#include "shell/Lancement.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return executerNorvanel(application);
}
