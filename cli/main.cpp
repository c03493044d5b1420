// norvanel-cli: the catalogue core from the command line.
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << "Usage : norvanel-cli COMMANDE [OPTIONS]\n";
        return 0;
    }
    std::cerr << "Usage : norvanel-cli COMMANDE [OPTIONS]\n";
    return 1;
}
