// norvanel: the window program.

#include "shell/Lancement.h"

int main(int argc, char** argv)
{
    return lancerNorvanel(argc, argv);
}
