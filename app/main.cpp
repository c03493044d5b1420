// norvanel: the window program.

#include "shell/CApplicationNorvanel.h"
#include "shell/Lancement.h"

int main(int argc, char** argv)
{
    CApplicationNorvanel application(argc, argv);
    return executerNorvanel(application);
}
