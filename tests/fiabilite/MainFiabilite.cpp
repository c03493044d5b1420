// The scenario tests, or the helper child they start (AideEnregistrement.h).

#include <gtest/gtest.h>

#include <csignal>

#include "tests/fiabilite/AideEnregistrement.h"

int main(int argc, char** argv)
{
    if (estAppelAide(argc, argv))
        return executerAide(std::vector<std::string>(argv + 2, argv + argc));
    // A helper that died must fail its test, not kill the program through SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
